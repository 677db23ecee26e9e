// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Fields many requests share. Text is a length byte and the bytes; the server
// hands it to calls that take NUL-terminated text, so a field holding a NUL
// is refused rather than silently cut. A handle path (volume_paths.h) is its
// volume or handle, directory base, flag and name count, then the names.

#include "ncp/wire_reader.h"

#include <QByteArray>

#include <cstdint>
#include <optional>

namespace ncpd {

struct HandlePath;

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
// A handle path's head: what comes before its names; gives their count.
std::uint8_t readHandleHead(ncp::WireReader& in, HandlePath& path);
// Reads count names of a handle path, each a text.
void readHandleNames(ncp::WireReader& in, HandlePath& path, std::uint8_t count);

} // namespace ncpd
