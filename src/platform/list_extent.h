// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QListWidget;

namespace quorvex {

// A list box's horizontal extent (LB_SETHORIZONTALEXTENT): how wide, in pixels,
// its lines can be scrolled, whatever they hold; the list scrolls sideways
// when the extent is wider than the list. The list lays every line out at the
// size of its last one (uniform line sizes, which also keep long lists quick),
// so the extent becomes the width of that line; set it again after lines are
// added.
void setHorizontalExtent(QListWidget& list, int pixels);

} // namespace quorvex
