// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A fixed random source for tests: x = x * 1103515245 + 12345 (32 bits) from
// a seed, each byte (x >> 16) mod 256, the source the reference vectors of
// the directory login were computed with.

#include "ncpauth/random_source.h"

class LcgRandom : public ncp::RandomSource
{
public:
    explicit LcgRandom(std::uint32_t seed) : x_(seed) {}
    void fill(std::span<std::uint8_t> out) override
    {
        for (std::uint8_t& b : out) {
            x_ = x_ * 1103515245u + 12345u;
            b = std::uint8_t(x_ >> 16);
        }
    }

private:
    std::uint32_t x_;
};
