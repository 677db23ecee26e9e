#pragma once

// 87/6, a name in another name space (the DOS name of a long name), and
// with the return mask's directory bit the entry's numbers. Decoder takes
// Request::data (from offset 8); the reply is a fixed 76-byte block, the
// name's length and the name.

#include <QByteArray>

#include <cstdint>
#include <optional>
#include <vector>

namespace ncpd {

inline constexpr std::uint8_t kHandleFlagHandle = 0;
inline constexpr std::uint8_t kHandleFlagBase = 1;
inline constexpr std::uint8_t kHandleFlagNone = 0xFF;
inline constexpr std::uint32_t kReturnDirectory = 0x0400;

struct LongNameRequest
{
    std::uint8_t sourceNameSpace = 0;
    std::uint8_t destinationNameSpace = 0;
    std::uint16_t searchAttributes = 0;
    std::uint32_t returnMask = 0;
    std::uint8_t volumeOrHandle = 0;
    std::uint32_t directoryBase = 0;
    std::uint8_t handleFlag = kHandleFlagNone;
    std::vector<QByteArray> components;
};
std::optional<LongNameRequest> decodeLongName(const QByteArray& data);
// The block's directory fields: the entry number at 48, the DOS entry number
// at 52, the volume at 56 (u32 little-endian each); zero when not asked for.
struct EntryNumbers
{
    std::uint32_t entry = 0;
    std::uint32_t dosEntry = 0;
    std::uint32_t volume = 0;
};
QByteArray encodeLongNameReply(const QByteArray& name, const EntryNumbers& numbers = {});

} // namespace ncpd
