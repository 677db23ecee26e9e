// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncp/ds_fields.h"

#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"

#include <algorithm>

namespace ncp {

QByteArray utf16z(const QString& text)
{
    QByteArray out;
    for (const QChar c : text)
        out.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
    out.append(2, '\0');
    return out;
}

std::optional<QString> fromUtf16z(const QByteArray& bytes)
{
    if (bytes.size() < 2 || bytes.size() % 2 || !bytes.endsWith(QByteArray(2, '\0')))
        return std::nullopt;
    QString text;
    for (qsizetype i = 0; i + 2 < bytes.size(); i += 2) {
        const auto c = char16_t(std::uint8_t(bytes[i]) | std::uint8_t(bytes[i + 1]) << 8);
        if (c == 0)
            return std::nullopt;
        text.append(QChar(c));
    }
    return text;
}

void writeSized(WireWriter& out, const QByteArray& bytes)
{
    const auto length = std::uint32_t(bytes.size());
    out.u32le(length).bytes(bytes).zeros((4 - length % 4) % 4);
}

QByteArray readSized(WireReader& in, std::size_t limit)
{
    const std::uint32_t length = in.u32le();
    if (!in.ok() || length > limit || length > in.remaining()) {
        in.fail();
        return {};
    }
    QByteArray bytes = in.byteArray(length);
    in.skip(std::min<std::size_t>((4 - length % 4) % 4, in.remaining()));
    return bytes;
}

} // namespace ncp
