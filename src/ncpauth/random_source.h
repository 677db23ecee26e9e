// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the login's random bytes come from: the system's generator, or in a
// test a fixed sequence, so that a login can be compared byte for byte with
// another implementation fed the same bytes.

#include <QByteArray>

#include <cstdint>
#include <span>

namespace ncp {

class RandomSource
{
public:
    virtual ~RandomSource() = default;
    virtual void fill(std::span<std::uint8_t> out) = 0;
    QByteArray bytes(qsizetype count);
};

// The operating system's generator (getrandom / /dev/urandom).
RandomSource& systemRandom();

} // namespace ncp
