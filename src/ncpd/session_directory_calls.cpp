// Requests about directories, volumes, trustees and names, each answered
// through the simulated-server call of the same meaning.

#include "ncpd/directory_requests.h"
#include "ncpd/entry_table.h"
#include "ncpd/long_name_request.h"
#include "ncpd/session_dispatcher.h"
#include "netware/sim_path.h"

namespace ncpd {

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
    std::uint16_t sequence = request->sequence;
    std::uint8_t rights = 0;
    std::array<char, 512> path{};
    const nw::NWCCODE code = client_->NWScanObjectTrusteePaths(
        handle_, request->objectId, request->volume, sequence, rights, path);
    return fromCode(code, encodeObjectTrusteePathsReply(sequence, request->objectId, rights,
                                                        QByteArray(path.data())));
}

SessionDispatcher::Answer SessionDispatcher::directoryTrustees(const QByteArray& data)
{
    const auto request = decodeDirectoryTrustees(data);
    if (!request)
        return malformed();
    // The sequence byte carries the client's iteration counter as it stands.
    std::uint32_t sequence = request->sequence;
    std::array<char, 256> name{};
    std::uint32_t dateTime = 0;
    std::uint32_t owner = 0;
    std::array<nw::TRUSTEE_INFO, nw::kTrusteesPerScan> trustees{};
    const nw::NWCCODE code =
        client_->NWScanDirectoryForTrustees2(handle_, request->dirHandle, request->path.constData(),
                                             sequence, name, dateTime, owner, trustees);
    return fromCode(code, encodeDirectoryTrusteesReply(trustees));
}

SessionDispatcher::Answer SessionDispatcher::extendedInfo(const QByteArray& data)
{
    const auto request = decodeExtendedInfo(data);
    if (!request)
        return malformed();
    std::uint32_t sequence = request->sequence;
    nw::NW_EXT_FILE_INFO entry;
    const nw::NWCCODE code =
        client_->NWIntScanExtendedInfo(handle_, request->dirHandle, request->searchAttributes,
                                       sequence, request->pattern.constData(), entry, 0);
    return fromCode(code, encodeExtendedInfoReply(entry));
}

SessionDispatcher::Answer SessionDispatcher::longName(const QByteArray& data)
{
    const auto request = decodeLongName(data);
    if (!request)
        return malformed();
    QByteArray path;
    for (const QByteArray& component : request->components)
        path += (path.isEmpty() ? "" : "\\") + component;
    nw::NWDIR_HANDLE dirHandle = 0;
    switch (request->handleFlag) {
    case kHandleFlagHandle:
        dirHandle = request->volumeOrHandle;
        break;
    case kHandleFlagBase: {
        // A directory base is an entry number that 23/244 handed out.
        const auto key = entries_.keyOf(request->directoryBase);
        if (!key)
            return completion(std::uint8_t(nw::kInvalidPath & 0xFF));
        path = nw::toWire(*key) + (path.isEmpty() ? "" : "\\") + path;
        break;
    }
    default: { // no handle, no base: the path starts at the volume's root
        const auto s = state();
        if (!s)
            return fromCode(nw::kInvalidConnection);
        if (request->volumeOrHandle >= s->volumes.size())
            return completion(std::uint8_t(nw::kVolumeDoesNotExist & 0xFF));
        path = nw::toWire(s->volumes[request->volumeOrHandle].name) + ':' + path;
        break;
    }
    }
    std::array<char, 256> name{};
    const nw::NWCCODE code =
        client_->NWGetLongName(handle_, dirHandle, path.constData(), request->sourceNameSpace,
                               request->destinationNameSpace, name);
    return fromCode(code, encodeLongNameReply(QByteArray(name.data())));
}

} // namespace ncpd
