// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Builds the fields of a packet to send, in the byte order each field asks for.

#include <QByteArray>

#include <cstdint>
#include <span>

namespace ncp {

class WireWriter
{
public:
    WireWriter() = default;
    // Goes on writing after what start holds.
    explicit WireWriter(QByteArray start) : data_(std::move(start)) {}

    WireWriter& u8(std::uint8_t v);
    WireWriter& u16le(std::uint16_t v);
    WireWriter& u16be(std::uint16_t v);
    WireWriter& u32le(std::uint32_t v);
    WireWriter& u32be(std::uint32_t v);
    WireWriter& bytes(std::span<const std::uint8_t> b);
    WireWriter& bytes(const QByteArray& b);
    // A length byte and the bytes; text longer than 255 bytes is cut to 255.
    WireWriter& lengthPrefixed(const QByteArray& text);
    // Text in a fixed field of n bytes, cut to n - 1 and padded with NULs.
    WireWriter& paddedText(const QByteArray& text, std::size_t n);
    WireWriter& zeros(std::size_t n);
    // Overwrites a big-endian 16-bit field written earlier at offset.
    void patchU16be(std::size_t offset, std::uint16_t v);

    std::size_t size() const { return std::size_t(data_.size()); }
    const QByteArray& data() const { return data_; }
    QByteArray take() { return std::move(data_); }

private:
    QByteArray data_;
};

} // namespace ncp
