// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncp/wire_reader.h"

#include <algorithm>

namespace ncp {

WireReader::WireReader(const QByteArray& bytes)
    : bytes_(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()))
{
}

bool WireReader::take(std::size_t n)
{
    if (!ok_ || n > bytes_.size() - pos_) {
        ok_ = false;
        return false;
    }
    return true;
}

std::uint8_t WireReader::u8()
{
    if (!take(1))
        return 0;
    return bytes_[pos_++];
}

std::uint16_t WireReader::u16le()
{
    if (!take(2))
        return 0;
    const std::uint16_t v = std::uint16_t(bytes_[pos_] | bytes_[pos_ + 1] << 8);
    pos_ += 2;
    return v;
}

std::uint16_t WireReader::u16be()
{
    if (!take(2))
        return 0;
    const std::uint16_t v = std::uint16_t(bytes_[pos_] << 8 | bytes_[pos_ + 1]);
    pos_ += 2;
    return v;
}

std::uint32_t WireReader::u32le()
{
    if (!take(4))
        return 0;
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | bytes_[pos_ + std::size_t(i)];
    pos_ += 4;
    return v;
}

std::uint32_t WireReader::u32be()
{
    if (!take(4))
        return 0;
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i)
        v = v << 8 | bytes_[pos_ + i];
    pos_ += 4;
    return v;
}

std::span<const std::uint8_t> WireReader::bytes(std::size_t n)
{
    if (!take(n))
        return {};
    const auto out = bytes_.subspan(pos_, n);
    pos_ += n;
    return out;
}

QByteArray WireReader::byteArray(std::size_t n)
{
    const auto b = bytes(n);
    return QByteArray(reinterpret_cast<const char*>(b.data()), qsizetype(b.size()));
}

QByteArray WireReader::lengthPrefixed()
{
    const std::uint8_t n = u8();
    return byteArray(n);
}

QByteArray WireReader::paddedText(std::size_t n)
{
    const auto b = bytes(n);
    const auto end = std::find(b.begin(), b.end(), std::uint8_t(0));
    return QByteArray(reinterpret_cast<const char*>(b.data()), qsizetype(end - b.begin()));
}

void WireReader::seek(std::size_t offset)
{
    if (!ok_ || offset > bytes_.size()) {
        ok_ = false;
        return;
    }
    pos_ = offset;
}

} // namespace ncp
