// SPDX-License-Identifier: GPL-3.0-or-later
// Carries the precompiled header the tests share.
