// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Text between the program and the NetWare client. The client speaks single
// bytes: every name or path handed to it and every buffer it fills is Latin-1.
// These two are the only conversions; the local 8-bit encoding (UTF-8) never
// reaches the client.

#include <QByteArray>
#include <QString>

#include <span>

namespace nw {

// Text handed to the client: Latin-1, with every character it cannot hold (a
// surrogate pair counts as one character) written as "?". The result is
// NUL-terminated by QByteArray itself.
QByteArray toClientText(const QString& text);

// Text the client wrote into a buffer: up to its first NUL, or the whole buffer
// when it left none.
QString fromClientText(std::span<const char> buffer);

} // namespace nw
