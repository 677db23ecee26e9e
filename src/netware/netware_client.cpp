// SPDX-License-Identifier: GPL-3.0-or-later
#include "netware/netware_client.h"

namespace nw {

std::uint32_t NW_EXT_FILE_INFO::u32(int offset) const
{
    return std::uint32_t(bytes[offset]) | std::uint32_t(bytes[offset + 1]) << 8 |
           std::uint32_t(bytes[offset + 2]) << 16 | std::uint32_t(bytes[offset + 3]) << 24;
}

std::uint16_t NW_EXT_FILE_INFO::u16(int offset) const
{
    return std::uint16_t(bytes[offset] | bytes[offset + 1] << 8);
}

void NW_EXT_FILE_INFO::setU32(int offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = std::uint8_t(value >> (8 * i));
}

void NW_EXT_FILE_INFO::setU16(int offset, std::uint16_t value)
{
    bytes[offset] = std::uint8_t(value);
    bytes[offset + 1] = std::uint8_t(value >> 8);
}

} // namespace nw
