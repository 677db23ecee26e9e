// SPDX-License-Identifier: GPL-3.0-or-later
// The calls about directories and files: directory handles, volumes, trustees,
// DOS names and extended directory entries.

#include "netware/sim_client.h"

#include "netware/sim_directory.h"
#include "netware/sim_path.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace nw {
namespace {

// DOS wildcards "*" and "?" as an anchored expression.
QString wildcardPattern(const QString& pattern)
{
    QString re = QRegularExpression::escape(pattern);
    re.replace(QLatin1String("\\*"), QLatin1String(".*"));
    re.replace(QLatin1String("\\?"), QLatin1String("."));
    return QRegularExpression::anchoredPattern(re);
}

} // namespace

NWCCODE SimClient::NWAllocTemporaryDirectoryHandle(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle,
                                                   const char* dirPath, NWDIR_HANDLE& newDirHandle,
                                                   std::uint8_t& rightsMask)
{
    const Call call = enter(conn, "NWAllocTemporaryDirectoryHandle");
    if (call.code)
        return call.code;
    const Resolved r = resolve(call, dirHandle, fromWire(dirPath));
    if (r.code)
        return r.code;
    const auto host = hostPath(call, r);
    if (!host || !QFileInfo(*host).isDir())
        return kInvalidPath;
    for (int h = 1; h <= 255; ++h) {
        if (!call.conn->dirs[std::size_t(h)]) {
            call.conn->dirs[std::size_t(h)] = DirSlot{r.volume, r.relative};
            newDirHandle = NWDIR_HANDLE(h);
            rightsMask = 0xFF;
            return kSuccess;
        }
    }
    return kNoMoreDirHandles;
}

NWCCODE SimClient::NWDeallocateDirectoryHandle(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle)
{
    const Call call = enter(conn, "NWDeallocateDirectoryHandle");
    if (call.code)
        return call.code;
    auto& slot = call.conn->dirs[dirHandle];
    if (dirHandle == 0 || !slot)
        return kBadDirectoryHandle;
    slot.reset();
    return kSuccess;
}

NWCCODE SimClient::NWGetVolumeNumber(NWCONN_HANDLE conn, const char* volName, std::uint16_t& volNum)
{
    const Call call = enter(conn, "NWGetVolumeNumber");
    if (call.code)
        return call.code;
    const int v = call.state->volumeIndex(fromWire(volName));
    if (v < 0)
        return kVolumeDoesNotExist;
    volNum = std::uint16_t(v);
    return kSuccess;
}

NWCCODE SimClient::NWScanObjectTrusteePaths(NWCONN_HANDLE conn, std::uint32_t objID,
                                            std::uint16_t volNum, std::uint16_t& iterHandle,
                                            std::uint8_t& accessRights, std::span<char> path)
{
    copyToBuffer(path, QByteArray());
    const Call call = enter(conn, "NWScanObjectTrusteePaths");
    if (call.code)
        return call.code;
    const SimState& s = *call.state;
    if (volNum >= s.volumes.size())
        return kVolumeDoesNotExist;
    // The handle is the position of the path to give among the object's paths
    // on the volume, and comes back as the position after it; 0xFFFF and 0
    // both start.
    const std::size_t position = iterHandle == 0xFFFF ? 0 : iterHandle;
    const std::vector<int> paths = s.trusteePathsOn(objID, volNum);
    // The position after the last must not read as a new start.
    if (position >= paths.size() || position + 1 >= 0xFFFF)
        return kInvalidPath; // no more trustee paths
    const SimTrustee& t = s.trustees[std::size_t(paths[position])];
    copyToBuffer(path,
                 toWire(s.volumes[volNum].name + QLatin1Char(':') + splitNwPath(t.path)->relative));
    accessRights = std::uint8_t(t.rights);
    iterHandle = std::uint16_t(position + 1);
    return kSuccess;
}

NWCCODE SimClient::NWScanDirectoryForTrustees2(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle,
                                               const char* srchPath, std::uint32_t& iterHandle,
                                               std::span<char> dirName, std::uint32_t& dirDateTime,
                                               std::uint32_t& ownerID,
                                               std::span<TRUSTEE_INFO> trustees)
{
    std::fill(trustees.begin(), trustees.end(), TRUSTEE_INFO{});
    const Call call = enter(conn, "NWScanDirectoryForTrustees2");
    if (call.code)
        return call.code;
    const Resolved r = resolve(call, dirHandle, fromWire(srchPath));
    if (r.code)
        return r.code;
    const SimState& s = *call.state;
    const std::vector<int>& list = s.trusteesOfPath(r.key);
    // The handle numbers blocks of twenty trustees, 0 first.
    const std::uint64_t start = std::uint64_t(iterHandle) * kTrusteesPerScan;
    const auto host = hostPath(call, r);
    if ((!host && list.empty()) || start >= list.size())
        return kInvalidPath; // no such entry, or no trustees left
    const QString name = splitLast(r.relative).second;
    copyToBuffer(dirName, toWire(name.isEmpty() ? s.volumes[std::size_t(r.volume)].name : name));
    dirDateTime = host ? packDateTime(QFileInfo(*host).lastModified()) : 0;
    const SimFileData* data = s.fileData(r.key);
    ownerID = data ? data->owner : 0;
    const std::size_t count =
        std::min({list.size() - start, trustees.size(), std::size_t(kTrusteesPerScan)});
    for (std::size_t i = 0; i < count; ++i) {
        const SimTrustee& t = s.trustees[std::size_t(list[start + i])];
        trustees[i] = TRUSTEE_INFO{t.objectId, t.rights};
    }
    ++iterHandle;
    return kSuccess;
}

NWCCODE SimClient::NWGetLongName(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle, const char* path,
                                 std::uint8_t srcNamSpc, std::uint8_t dstNamSpc,
                                 std::span<char> longName)
{
    const Call call = enter(conn, "NWGetLongName");
    if (call.code)
        return call.code;
    const Resolved r = resolve(call, dirHandle, fromWire(path));
    if (r.code)
        return r.code;
    const auto [dir, name] = splitLast(r.relative);
    const auto hostDir = findHostPath(call.state->volumes[std::size_t(r.volume)].hostDir, dir);
    if (!hostDir || name.isEmpty())
        return kInvalidPath;
    for (const SimDirEntry& e : listSimDirectory(*hostDir)) {
        const QString& from = srcNamSpc == NW_NS_DOS ? e.dosName : e.longName;
        if (from.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        copyToBuffer(longName, toWire(dstNamSpc == NW_NS_DOS ? e.dosName : e.longName));
        return kSuccess;
    }
    return kNoFilesFound;
}

NWCCODE SimClient::NWIntScanExtendedInfo(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle,
                                         std::uint8_t attrs, std::uint32_t& iterHandle,
                                         const char* searchPattern, NW_EXT_FILE_INFO& entryInfo,
                                         std::uint8_t)
{
    const Call call = enter(conn, "NWIntScanExtendedInfo");
    if (call.code)
        return call.code;
    const Resolved r = resolve(call, dirHandle, fromWire(searchPattern));
    if (r.code)
        return r.code;
    const auto [dir, pattern] = splitLast(r.relative);
    const SimVolume& volume = call.state->volumes[std::size_t(r.volume)];
    const auto hostDir = findHostPath(volume.hostDir, dir);
    if (!hostDir || pattern.isEmpty())
        return kInvalidPath;
    const QRegularExpression match(wildcardPattern(pattern),
                                   QRegularExpression::CaseInsensitiveOption);
    const std::vector<SimDirEntry> entries = listSimDirectory(*hostDir);
    const std::size_t start = iterHandle == 0xFFFFFFFF ? 0 : std::size_t(iterHandle) + 1;
    for (std::size_t i = start; i < entries.size(); ++i) {
        const SimDirEntry& e = entries[i];
        if (!match.match(e.longName).hasMatch() && !match.match(e.dosName).hasMatch())
            continue;
        const QString key =
            normalizeNwPath(volume.name + QLatin1Char(':') + joinNwPath(dir, e.longName));
        const std::uint32_t attributes = entryAttributes(*call.state, key, e);
        // Hidden, system entries and directories only when the search asks for them.
        if ((attributes & ~std::uint32_t(attrs)) & (kAttrHidden | kAttrSystem | kAttrDirectory))
            continue;
        entryInfo = buildExtendedInfo(*call.state, key, e, std::uint32_t(i));
        iterHandle = std::uint32_t(i);
        return kSuccess;
    }
    return kNoFilesFound;
}

} // namespace nw
