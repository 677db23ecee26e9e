// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "netware/netware_client.h"

#include <QString>

namespace quorvex {

// What a failed clear of one file lock is called, after "Unable to clear file
// lock - ".
QString fileLockErrorText(nw::NWCCODE code);

// What a failed clear of the lock set is called, after "Unable to clear file
// locks - ". The lock-set call only knows the two connection codes.
QString lockSetErrorText(nw::NWCCODE code);

} // namespace quorvex
