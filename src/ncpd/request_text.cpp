// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd/request_text.h"

#include "ncpd/volume_paths.h"

namespace ncpd {

QByteArray readText(ncp::WireReader& in)
{
    QByteArray text = in.lengthPrefixed();
    if (text.contains('\0'))
        in.fail();
    return text;
}

std::optional<std::uint8_t> decodeOneByte(const QByteArray& data)
{
    ncp::WireReader in(data);
    const std::uint8_t v = in.u8();
    return consumedExactly(in) ? std::optional(v) : std::nullopt;
}

std::uint8_t readHandleHead(ncp::WireReader& in, HandlePath& path)
{
    path.volume = in.u8();
    path.base = in.u32le();
    path.flag = in.u8();
    return in.u8();
}

void readHandleNames(ncp::WireReader& in, HandlePath& path, std::uint8_t count)
{
    for (std::uint8_t i = 0; i < count && in.ok(); ++i)
        path.names.push_back(readText(in));
}

} // namespace ncpd
