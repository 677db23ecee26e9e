// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncp/wire_writer.h"

#include <algorithm>

namespace ncp {

WireWriter& WireWriter::u8(std::uint8_t v)
{
    data_.append(char(v));
    return *this;
}

WireWriter& WireWriter::u16le(std::uint16_t v)
{
    return u8(std::uint8_t(v)).u8(std::uint8_t(v >> 8));
}

WireWriter& WireWriter::u16be(std::uint16_t v)
{
    return u8(std::uint8_t(v >> 8)).u8(std::uint8_t(v));
}

WireWriter& WireWriter::u32le(std::uint32_t v)
{
    return u16le(std::uint16_t(v)).u16le(std::uint16_t(v >> 16));
}

WireWriter& WireWriter::u32be(std::uint32_t v)
{
    return u16be(std::uint16_t(v >> 16)).u16be(std::uint16_t(v));
}

WireWriter& WireWriter::bytes(std::span<const std::uint8_t> b)
{
    data_.append(reinterpret_cast<const char*>(b.data()), qsizetype(b.size()));
    return *this;
}

WireWriter& WireWriter::bytes(const QByteArray& b)
{
    data_.append(b);
    return *this;
}

WireWriter& WireWriter::lengthPrefixed(const QByteArray& text)
{
    const qsizetype n = std::min<qsizetype>(text.size(), 255);
    u8(std::uint8_t(n));
    data_.append(text.constData(), n);
    return *this;
}

WireWriter& WireWriter::paddedText(const QByteArray& text, std::size_t n)
{
    if (n == 0)
        return *this;
    const qsizetype used = std::min<qsizetype>(text.size(), qsizetype(n) - 1);
    data_.append(text.constData(), used);
    return zeros(n - std::size_t(used));
}

WireWriter& WireWriter::zeros(std::size_t n)
{
    data_.append(qsizetype(n), '\0');
    return *this;
}

void WireWriter::patchU16be(std::size_t offset, std::uint16_t v)
{
    if (offset + 2 > size())
        return;
    data_[qsizetype(offset)] = char(v >> 8);
    data_[qsizetype(offset + 1)] = char(v);
}

} // namespace ncp
