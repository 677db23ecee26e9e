// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QFont;

namespace quorvex {

// The average character width of a font, in pixels, as classic dialogs
// measure it: the width of "A" to "Z" and "a" to "z" divided by 52. Layouts
// and tab stops that are meant to follow the text scale by it.
double averageCharWidth(const QFont& font);

} // namespace quorvex
