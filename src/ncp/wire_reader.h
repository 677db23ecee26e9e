// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reads the fields of a received packet. Every read is checked against the
// bytes that are there: a read past the end returns zeros and marks the reader
// failed, so a parser reads its fields and asks ok() once at the end instead of
// testing every length by hand.

#include <QByteArray>

#include <cstdint>
#include <span>

namespace ncp {

class WireReader
{
public:
    explicit WireReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    explicit WireReader(const QByteArray& bytes);

    bool ok() const { return ok_; }
    // The reader failed on purpose: a field that was read but is not acceptable.
    void fail() { ok_ = false; }
    std::size_t position() const { return pos_; }
    std::size_t remaining() const { return ok_ ? bytes_.size() - pos_ : 0; }
    bool atEnd() const { return remaining() == 0; }

    std::uint8_t u8();
    std::uint16_t u16le();
    std::uint16_t u16be();
    std::uint32_t u32le();
    std::uint32_t u32be();
    // n raw bytes; empty (and failed) when fewer are left.
    std::span<const std::uint8_t> bytes(std::size_t n);
    QByteArray byteArray(std::size_t n);
    // A length byte and that many bytes.
    QByteArray lengthPrefixed();
    // A fixed field of n bytes holding NUL-padded text: the text before the first NUL.
    QByteArray paddedText(std::size_t n);
    void skip(std::size_t n) { bytes(n); }
    // Moves to an absolute offset (failing when it is past the end).
    void seek(std::size_t offset);

private:
    bool take(std::size_t n);

    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

} // namespace ncp
