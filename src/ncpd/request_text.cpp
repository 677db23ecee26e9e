// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd/request_text.h"

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

} // namespace ncpd
