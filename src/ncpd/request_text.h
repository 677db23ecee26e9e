// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Text fields of requests: a length byte and the bytes. The server hands them
// to calls that take NUL-terminated text, so a field holding a NUL is refused
// rather than silently cut.

#include "ncp/wire_reader.h"

#include <QByteArray>

#include <cstdint>
#include <optional>

namespace ncpd {

// Reads a length-prefixed text; marks the reader failed when it holds a NUL.
QByteArray readText(ncp::WireReader& in);
// True when every byte was read and nothing follows.
inline bool consumedExactly(const ncp::WireReader& in)
{
    return in.ok() && in.atEnd();
}
// A request that is one byte and nothing more: a volume number, a directory
// handle or a connection number.
std::optional<std::uint8_t> decodeOneByte(const QByteArray& data);

} // namespace ncpd
