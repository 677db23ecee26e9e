// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>

namespace quorvex {

// The server's packed date and time (date in the high half: year since 1980,
// month, day; time in the low half: hours, minutes, seconds / 2) as
// "m/d/yyyy,h:m:s" without leading zeros or blanks; 0 reads as "?".
QString DateTimeText(std::uint32_t packed);

} // namespace quorvex
