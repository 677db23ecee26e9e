// SPDX-License-Identifier: GPL-3.0-or-later
// The calls about volumes, directory handles, trustees and directory entries.

#include "ncp/directory_requests.h"
#include "ncp/ncp_client.h"
#include "netware/sim_path.h"

#include <QByteArrayList>

namespace ncp {

using namespace nw;

namespace {

QByteArray wire(const char* text)
{
    return QByteArray(text ? text : "");
}

QByteArrayList components(const QByteArray& path)
{
    QByteArray p = path;
    p.replace('/', '\\');
    QByteArrayList out;
    for (const QByteArray& part : p.split('\\'))
        if (!part.isEmpty())
            out.append(part);
    return out;
}

} // namespace

NWCCODE NcpClient::NWAllocTemporaryDirectoryHandle(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle,
                                                   const char* dirPath, NWDIR_HANDLE& newDirHandle,
                                                   std::uint8_t& rightsMask)
{
    const Answer a = send(conn, allocDirHandleRequest(dirHandle, wire(dirPath)));
    if (a.code)
        return a.code;
    const auto handle = decodeAllocDirHandle(a.data);
    if (!handle)
        return malformed();
    newDirHandle = handle->handle;
    rightsMask = handle->rights;
    return kSuccess;
}

NWCCODE NcpClient::NWDeallocateDirectoryHandle(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle)
{
    const Answer a = send(conn, deallocDirHandleRequest(dirHandle));
    if (a.code)
        return a.code;
    return a.data.isEmpty() ? kSuccess : malformed();
}

NWCCODE NcpClient::NWScanObjectTrusteePaths(NWCONN_HANDLE conn, std::uint32_t objID,
                                            std::uint16_t volNum, std::uint16_t& iterHandle,
                                            std::uint8_t& accessRights, std::span<char> path)
{
    copyToBuffer(path, QByteArray());
    if (volNum > 0xFF)
        return kVolumeDoesNotExist; // volume numbers travel in one byte
    // The last path said that none follow: this call would only learn the end.
    const TrusteeEnd here{objID, volNum};
    if (trusteeEnd_ == here && iterHandle == 0) {
        trusteeEnd_.reset();
        return kInvalidPath; // no more trustee paths
    }
    trusteeEnd_.reset();
    const Answer a = send(conn, trusteePathRequest(std::uint8_t(volNum), iterHandle, objID));
    if (a.code)
        return a.code;
    const auto trustee = decodeTrusteePath(a.data, objID);
    if (!trustee)
        return malformed();
    if (trustee->end())
        return kInvalidPath;
    iterHandle = trustee->nextSequence;
    if (trustee->nextSequence == 0)
        trusteeEnd_ = TrusteeEnd{objID, volNum};
    accessRights = trustee->rights;
    copyToBuffer(path, trustee->path);
    return kSuccess;
}

NWCCODE NcpClient::NWScanDirectoryForTrustees2(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle,
                                               const char* srchPath, std::uint32_t& iterHandle,
                                               std::span<char> dirName, std::uint32_t& dirDateTime,
                                               std::uint32_t& ownerID,
                                               std::span<TRUSTEE_INFO> trustees)
{
    std::fill(trustees.begin(), trustees.end(), TRUSTEE_INFO{});
    // The block number travels in one byte: past that the list cannot be
    // asked for, which is reported as its end rather than wrapping to its start.
    if (iterHandle > 0xFF)
        return kInvalidPath;
    const QByteArray path = wire(srchPath);
    const Answer a = send(conn, dirTrusteesRequest(dirHandle, std::uint8_t(iterHandle), path));
    if (a.code)
        return a.code;
    const auto list = decodeDirTrustees(a.data);
    if (!list)
        return malformed();
    // An empty block ends the list as 0x9C does; asking on would never end.
    if (list->empty())
        return kInvalidPath;
    for (std::size_t i = 0; i < trustees.size() && i < list->size(); ++i)
        trustees[i] = (*list)[i];
    ++iterHandle;
    // This request carries neither the directory's date nor its owner.
    const QByteArrayList parts = components(path);
    copyToBuffer(dirName, parts.isEmpty() ? QByteArray() : parts.last());
    dirDateTime = 0;
    ownerID = 0;
    return kSuccess;
}

NWCCODE NcpClient::NWIntScanExtendedInfo(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle,
                                         std::uint8_t attrs, std::uint32_t& iterHandle,
                                         const char* searchPattern, NW_EXT_FILE_INFO& entryInfo,
                                         std::uint8_t)
{
    const Answer a =
        send(conn, extendedInfoRequest(dirHandle, attrs, iterHandle, wire(searchPattern)));
    if (a.code)
        return a.code;
    const auto info = decodeExtendedInfo(a.data);
    if (!info)
        return malformed();
    entryInfo = *info;
    iterHandle = info->u32(0); // the entry starts with its sequence number
    return kSuccess;
}

std::optional<LongNameQuery> NcpClient::nameQuery(NWDIR_HANDLE dirHandle, const QByteArray& path,
                                                  NWCCODE& code)
{
    LongNameQuery q;
    QByteArray rest = path;
    const qsizetype colon = rest.indexOf(':');
    if (colon >= 0 || dirHandle == 0) {
        // From a volume's root: "VOL:DIR\FILE", or a bare "VOL\DIR" without a handle.
        QByteArray volume;
        if (colon >= 0) {
            volume = rest.left(colon);
            rest = rest.mid(colon + 1);
        } else {
            QByteArrayList parts = components(rest);
            volume = parts.isEmpty() ? QByteArray() : parts.takeFirst();
            rest = parts.join('\\');
        }
        if (volume.isEmpty()) {
            code = kInvalidPath;
            return std::nullopt;
        }
        // With no handle the first name is the volume's, as the Linux client
        // sends it and the server emulators read it.
        q.byHandle = false;
        q.handleOrVolume = 0;
        q.components = QByteArrayList{volume} + components(rest);
    } else {
        q.handleOrVolume = dirHandle;
        q.components = components(rest);
    }
    if (q.components.size() > 0xFF) {
        code = kInvalidPath;
        return std::nullopt;
    }
    code = kSuccess;
    return q;
}

NWCCODE NcpClient::NWGetLongName(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle, const char* path,
                                 std::uint8_t srcNamSpc, std::uint8_t dstNamSpc,
                                 std::span<char> longName)
{
    copyToBuffer(longName, QByteArray());
    NWCCODE code = kSuccess;
    auto q = nameQuery(dirHandle, wire(path), code);
    if (!q)
        return code;
    q->sourceNameSpace = srcNamSpc;
    q->destNameSpace = dstNamSpc;
    const Answer a = send(conn, longNameRequest(*q));
    if (a.code)
        return a.code;
    const auto name = decodeLongName(a.data);
    if (!name)
        return malformed();
    copyToBuffer(longName, *name);
    return kSuccess;
}

} // namespace ncp
