// SPDX-License-Identifier: GPL-3.0-or-later
// Requests about directories, volumes and trustees, each answered through
// the simulated-server call of the same meaning.

#include "ncpd/directory_requests.h"
#include "ncpd/session_dispatcher.h"
#include "netware/sim_path.h"

namespace ncpd {
namespace {

std::uint32_t swapped(std::uint32_t v)
{
    return (v >> 24) | ((v >> 8) & 0xFF00) | ((v << 8) & 0xFF0000) | (v << 24);
}

} // namespace

SessionDispatcher::Answer SessionDispatcher::allocDirHandle(const QByteArray& data)
{
    const auto request = decodeAllocDirHandle(data);
    if (!request)
        return malformed();
    nw::NWDIR_HANDLE handle = 0;
    std::uint8_t rights = 0;
    const nw::NWCCODE code = client_->NWAllocTemporaryDirectoryHandle(
        handle_, request->sourceHandle, request->path.constData(), handle, rights);
    if (code == nw::kSuccess) {
        const KeyOrError r = resolveKey(request->sourceHandle, request->path);
        dirKeys_[handle] = r.error ? std::nullopt : std::optional(r.key);
    }
    return fromCode(code, encodeAllocDirHandleReply(handle, rights));
}

SessionDispatcher::Answer SessionDispatcher::deallocDirHandle(const QByteArray& data)
{
    const auto request = decodeDirHandle(data);
    if (!request)
        return malformed();
    const nw::NWCCODE code = client_->NWDeallocateDirectoryHandle(handle_, request->handle);
    if (code == nw::kSuccess)
        dirKeys_[request->handle].reset();
    return fromCode(code);
}

SessionDispatcher::Answer SessionDispatcher::volumeNumber(const QByteArray& data)
{
    const auto request = decodeVolumeNumber(data);
    if (!request)
        return malformed();
    std::uint16_t volume = 0;
    const nw::NWCCODE code = client_->NWGetVolumeNumber(handle_, request->name.constData(), volume);
    return fromCode(code, encodeVolumeNumberReply(std::uint8_t(volume)));
}

SessionDispatcher::Answer SessionDispatcher::objectTrusteePaths(const QByteArray& data)
{
    const auto request = decodeObjectTrusteePaths(data);
    if (!request)
        return malformed();
    const bool emulated = emulator();
    // 0 and 0xFFFF both start; the next sequence is the position after the path.
    std::uint16_t sequence = request->sequence;
    std::uint8_t rights = 0;
    std::array<char, 512> path{};
    const nw::NWCCODE code = client_->NWScanObjectTrusteePaths(
        handle_, request->objectId, request->volume, sequence, rights, path);
    // Every path carries the position after it, the last one too: ncpfs's
    // client reads a next sequence of 0 as the end and passes over that
    // reply's path. The server emulators end the list with an entry of eight
    // zero bytes; NetWare answers 0x9C when asked past the last path.
    if (code == nw::kInvalidPath && emulated)
        return Answer{0, 0, QByteArray(8, '\0'), false, false};
    return fromCode(code, encodeObjectTrusteePathsReply(sequence, request->objectId, rights,
                                                        QByteArray(path.data())));
}

SessionDispatcher::Answer SessionDispatcher::directoryTrustees(const QByteArray& data)
{
    const auto request = decodeDirectoryTrustees(data);
    if (!request)
        return malformed();
    // The sequence byte numbers blocks of twenty, as the call's handle does.
    std::uint32_t sequence = request->sequence;
    std::array<char, 256> name{};
    std::uint32_t dateTime = 0;
    std::uint32_t owner = 0;
    std::array<nw::TRUSTEE_INFO, nw::kTrusteesPerScan> trustees{};
    const nw::NWCCODE code =
        client_->NWScanDirectoryForTrustees2(handle_, request->dirHandle, request->path.constData(),
                                             sequence, name, dateTime, owner, trustees);
    return fromCode(code, encodeDirectoryTrusteesReply(trustees, emulator()));
}

SessionDispatcher::Answer SessionDispatcher::extendedInfo(const QByteArray& data)
{
    const auto request = decodeExtendedInfo(data);
    if (!request)
        return malformed();
    const bool emulated = emulator();
    std::uint32_t sequence = emulated ? swapped(request->sequence) : request->sequence;
    nw::NW_EXT_FILE_INFO entry;
    const nw::NWCCODE code =
        client_->NWIntScanExtendedInfo(handle_, request->dirHandle, request->searchAttributes,
                                       sequence, request->pattern.constData(), entry, 0);
    return fromCode(code, encodeExtendedInfoReply(entry, emulated));
}

} // namespace ncpd
