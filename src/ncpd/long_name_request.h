// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// 87/6, an entry's information (entry_block.h): a name in another name space
// (the DOS name of a long name), with the return mask's directory bit
// (kRimDirectory) the entry's numbers, its attributes, size and dates.
// Decoder takes Request::data (from offset 8).

#include "ncpd/volume_paths.h"

#include <QByteArray>

#include <cstdint>
#include <optional>

namespace ncpd {

inline constexpr std::uint8_t kHandleFlagHandle = 0;
inline constexpr std::uint8_t kHandleFlagBase = 1;
inline constexpr std::uint8_t kHandleFlagNone = 0xFF;

struct LongNameRequest
{
    std::uint8_t sourceNameSpace = 0;
    std::uint8_t destinationNameSpace = 0;
    std::uint16_t searchAttributes = 0;
    std::uint32_t returnMask = 0;
    HandlePath path;
};
std::optional<LongNameRequest> decodeLongName(const QByteArray& data);
} // namespace ncpd
