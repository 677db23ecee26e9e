// SPDX-License-Identifier: GPL-3.0-or-later
#include "fake_client.h"

#include <algorithm>
#include <cstring>

namespace {

void copyText(std::span<char> buffer, const QString& text)
{
    const QByteArray bytes = text.toLatin1();
    const std::size_t n = std::min<std::size_t>(bytes.size(), buffer.size() - 1);
    std::memcpy(buffer.data(), bytes.constData(), n);
    buffer[n] = '\0';
}

} // namespace

nw::CONN_USING_FILE FakeClient::entry(std::uint16_t conn, std::uint16_t task, std::uint8_t lockType,
                                      std::uint8_t access, std::uint8_t lockFlag)
{
    return nw::CONN_USING_FILE{conn, task, lockType, access, lockFlag};
}

void FakeClient::addUser(std::uint16_t conn, const QString& name)
{
    Connection c;
    c.name = name;
    connections.insert(conn, c);
}

nw::NWCCODE FakeClient::NWParsePath(const char* path, std::span<char> serverName,
                                    nw::NWCONN_HANDLE& conn, std::span<char> volName,
                                    std::span<char> dirPath)
{
    calls << QStringLiteral("NWParsePath");
    const QString text = QString::fromLatin1(path);
    parsedPaths << text;
    if (parseRc != nw::kSuccess)
        return parseRc;
    conn = parseConn;
    copyText(serverName, QStringLiteral("FS1"));
    // "F:\DIR\FILE" or "VOL:DIR\FILE": the volume is ours, the rest follows the colon.
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    QString rest = text.mid(colon + 1);
    if (rest.startsWith(QLatin1Char('\\')))
        rest.remove(0, 1);
    copyText(volName, volume);
    copyText(dirPath, rest.toUpper());
    return 0;
}

nw::NWCCODE FakeClient::NWScanConnectionsUsingFile(nw::NWCONN_HANDLE, nw::NWDIR_HANDLE,
                                                   const char* filePath, std::int16_t& iterHandle,
                                                   nw::CONN_USING_FILE_SUMMARY&,
                                                   nw::CONNS_USING_FILE& fileUsed)
{
    calls << QStringLiteral("NWScanConnectionsUsingFile");
    scannedPaths << QString::fromLatin1(filePath);
    iterationHandlesIn << iterHandle;
    if (batches.isEmpty())
        return nw::kNoMoreEntries;
    const Batch batch = batches.takeFirst();
    if (batch.during)
        batch.during();
    if (batch.rc != nw::kSuccess)
        return batch.rc;
    // The server hands back a handle of its own making; the caller must carry it.
    iterHandle = std::int16_t(iterHandle + 100);
    if (!batch.entries.isEmpty()) // an empty batch leaves the count as the caller set it
        fileUsed.connCount = std::uint16_t(batch.entries.size());
    for (qsizetype i = 0; i < batch.entries.size(); ++i)
        fileUsed.connInfo[i] = batch.entries[i];
    return 0;
}

nw::NWCCODE FakeClient::NWGetConnectionInformation(nw::NWCONN_HANDLE, std::uint16_t connNumber,
                                                   std::span<char> objName, std::uint16_t& objType,
                                                   std::uint32_t& objID,
                                                   std::span<std::uint8_t> loginTime)
{
    calls << QStringLiteral("NWGetConnectionInformation");
    const auto it = connections.constFind(connNumber);
    if (it == connections.cend())
        return nw::kBadStationNumber;
    if (it->infoRc != nw::kSuccess)
        return it->infoRc;
    copyText(objName, it->name);
    objType = 1;
    objID = connNumber;
    std::copy(it->loginTime.begin(), it->loginTime.end(), loginTime.begin());
    return 0;
}

nw::NWCCODE FakeClient::NWGetInetAddr(nw::NWCONN_HANDLE, std::uint16_t connNumber,
                                      nw::NWINET_ADDR& inetAddr)
{
    calls << QStringLiteral("NWGetInetAddr");
    const auto it = connections.constFind(connNumber);
    if (it == connections.cend())
        return nw::kBadStationNumber;
    inetAddr = it->address;
    return 0;
}

nw::NWCCODE FakeClient::NWGetVolumeNumber(nw::NWCONN_HANDLE, const char* volName,
                                          std::uint16_t& volNum)
{
    calls << QStringLiteral("NWGetVolumeNumber");
    if (QString::fromLatin1(volName).compare(volume, Qt::CaseInsensitive) != 0)
        return nw::kVolumeDoesNotExist;
    volNum = 1;
    return 0;
}

nw::NWCCODE FakeClient::NWScanObjectTrusteePaths(nw::NWCONN_HANDLE, std::uint32_t objID,
                                                 std::uint16_t volNum, std::uint16_t& iterHandle,
                                                 std::uint8_t& accessRights, std::span<char> path)
{
    calls << QStringLiteral("NWScanObjectTrusteePaths");
    const QStringList paths = trusteePaths.value(objID);
    const int next = iterHandle == 0xFFFF ? 0 : iterHandle + 1;
    if (volNum != 1 || next >= paths.size())
        return nw::kInvalidPath;
    iterHandle = std::uint16_t(next);
    accessRights = 0xFF;
    copyText(path, paths[next]);
    return 0;
}

nw::NWCCODE FakeClient::NWScanDirectoryForTrustees2(nw::NWCONN_HANDLE, nw::NWDIR_HANDLE,
                                                    const char* srchPath, std::uint32_t& iterHandle,
                                                    std::span<char> dirName, std::uint32_t&,
                                                    std::uint32_t&,
                                                    std::span<nw::TRUSTEE_INFO> trustees)
{
    calls << QStringLiteral("NWScanDirectoryForTrustees2");
    const QString dir = QString::fromLatin1(srchPath);
    scannedTrusteeDirs << dir;
    const QList<nw::TRUSTEE_INFO> all = trusteesOf.value(dir.toUpper());
    const qsizetype start = qsizetype(iterHandle) * nw::kTrusteesPerScan;
    if (start >= all.size())
        return nw::kInvalidPath;
    copyText(dirName, dir.section(QLatin1Char('\\'), -1));
    for (std::size_t i = 0; i < trustees.size(); ++i) {
        const qsizetype k = start + qsizetype(i);
        trustees[i] = k < all.size() ? all[k] : nw::TRUSTEE_INFO{};
    }
    ++iterHandle;
    return 0;
}

nw::NWCCODE FakeClient::NWDSCreateContextHandle(nw::NWDSContextHandle& context)
{
    calls << QStringLiteral("NWDSCreateContextHandle");
    context = 42;
    context_.clear();
    return 0;
}

nw::NWCCODE FakeClient::NWDSSetContext(nw::NWDSContextHandle, int key, const void* value)
{
    calls << QStringLiteral("NWDSSetContext");
    if (key == nw::DCK_NAME_CONTEXT) {
        context_ = QString::fromLatin1(static_cast<const char*>(value));
        contextValues << context_;
    }
    return 0;
}

nw::NWCCODE FakeClient::NWDSMapNameToID(nw::NWDSContextHandle, nw::NWCONN_HANDLE,
                                        const char* objectName, std::uint32_t& objectID)
{
    calls << QStringLiteral("NWDSMapNameToID");
    // Names resolve only from the root of the tree, as full names.
    const auto it = objectIds.constFind(QString::fromLatin1(objectName));
    if (context_ != QStringLiteral("[Root]") || it == objectIds.cend())
        return nw::kDsNoSuchEntry;
    objectID = *it;
    return 0;
}

nw::NWCCODE FakeClient::NWDSFreeContext(nw::NWDSContextHandle)
{
    calls << QStringLiteral("NWDSFreeContext");
    return 0;
}
