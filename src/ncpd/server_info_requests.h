// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a client asks about the server itself: NCP 20 (date and time) and
// 23/201 (description strings). Neither request carries data; encoders give
// the reply from offset 8.

#include <QByteArray>
#include <QDateTime>
#include <QStringList>

namespace ncpd {

// Year (two digits: 80-99 are 1980-1999, 0-79 2000-2079), month, day, hour,
// minute, second, weekday (0 = Sunday).
QByteArray encodeDateTimeReply(const QDateTime& local);

// The strings one after the other, each ending in NUL, in a 100-byte field.
QByteArray encodeDescriptionReply(const QStringList& strings);

} // namespace ncpd
