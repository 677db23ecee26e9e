#pragma once

#include <QByteArray>
#include <QString>

namespace quorvex {

// Text handed to the NetWare client is single-byte: Latin-1, with every
// character it cannot hold (a surrogate pair counts as one character) written
// as "?". The result is NUL-terminated by QByteArray itself.
QByteArray toAnsiText(const QString& text);

} // namespace quorvex
