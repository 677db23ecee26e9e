#include "ncpd/entry_block.h"

#include "ncp/wire_writer.h"
#include "netware/sim_directory.h"

namespace ncpd {

namespace {

constexpr std::uint32_t kRimSpace = 0x0002;
constexpr std::uint32_t kRimAttributes = 0x0004;
constexpr std::uint32_t kRimDataSize = 0x0008;
constexpr std::uint32_t kRimTotalSize = 0x0010;
constexpr std::uint32_t kRimArchive = 0x0040;
constexpr std::uint32_t kRimModify = 0x0080;
constexpr std::uint32_t kRimCreation = 0x0100;
constexpr std::uint32_t kRimOwningNameSpace = 0x0200;
constexpr std::uint32_t kRimRights = 0x0800;

// A packed date and time (date << 16 | time) as the block keeps it: time first.
void dateTime(ncp::WireWriter& w, std::uint32_t packed)
{
    w.u16le(std::uint16_t(packed & 0xFFFF)).u16le(std::uint16_t(packed >> 16));
}

} // namespace

QByteArray encodeEntryBlock(const nw::SimState& state, const VolumeEntry& entry,
                            std::uint32_t mask, std::uint8_t nameSpace,
                            const BlockNumbers& numbers)
{
    const nw::SimDirEntry dir{entry.longName, entry.dosName, entry.host, entry.directory};
    // The extended entry holds every date and object the block carries.
    const nw::NW_EXT_FILE_INFO ext = nw::buildExtendedInfo(state, entry.key, dir, 0);
    const std::uint32_t size = entry.directory ? 0 : ext.u32(52);
    const std::uint32_t attributes = ext.u32(8);
    ncp::WireWriter w;
    w.u32le(mask & kRimSpace ? size : 0);
    if (mask & kRimAttributes)
        w.u32le(attributes).u16le(std::uint16_t(attributes));
    else
        w.zeros(6);
    w.u32le(mask & kRimDataSize ? size : 0);
    if (mask & kRimTotalSize)
        w.u32le(size).u16le(entry.directory ? 0 : 1);
    else
        w.zeros(6);
    if (mask & kRimCreation) {
        dateTime(w, ext.u32(28));
        w.u32be(ext.u32(32));
    } else {
        w.zeros(8);
    }
    if (mask & kRimModify) {
        dateTime(w, ext.u32(44));
        w.u32be(ext.u32(48)).u16le(ext.u16(102));
    } else {
        w.zeros(10);
    }
    if (mask & kRimArchive) {
        dateTime(w, ext.u32(36));
        w.u32be(ext.u32(40));
    } else {
        w.zeros(8);
    }
    w.u16le(mask & kRimRights ? numbers.rights : 0);
    if (mask & kRimDirectory)
        w.u32le(numbers.entry).u32le(numbers.dosEntry).u32le(std::uint32_t(entry.volume));
    else
        w.zeros(12);
    w.zeros(12); // extended attributes: none
    w.u32le(mask & kRimOwningNameSpace ? nameSpace : 0);
    if (mask & kRimName)
        w.lengthPrefixed((nameSpace == kNameSpaceDos ? entry.dosName : entry.longName).toLatin1());
    return w.take();
}

} // namespace ncpd
