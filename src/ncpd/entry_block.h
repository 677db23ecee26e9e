#pragma once

// An entry's information as 87/6, 87/20 and 87/1 answer it: the fixed block
// of 76 bytes (see ncp/file_requests.h for its fields), each part filled when
// the return mask asks for it and zero otherwise, then the name in the name
// space asked for when the mask's name bit is set.

#include "ncpd/volume_paths.h"
#include "netware/sim_state.h"

#include <QByteArray>

#include <cstdint>

namespace ncpd {

inline constexpr std::uint32_t kRimName = 0x0001;
inline constexpr std::uint32_t kRimDirectory = 0x0400;

struct BlockNumbers
{
    std::uint32_t entry = 0;
    std::uint32_t dosEntry = 0;
    std::uint16_t rights = 0; // the asker's effective rights
};

QByteArray encodeEntryBlock(const nw::SimState& state, const VolumeEntry& entry,
                            std::uint32_t returnMask, std::uint8_t nameSpace,
                            const BlockNumbers& numbers);

} // namespace ncpd
