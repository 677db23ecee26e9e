// SPDX-License-Identifier: GPL-3.0-or-later
#include "scripted_client.h"

#include <algorithm>
#include <cstring>

namespace quorvex {

namespace {

void copyOut(const QByteArray& text, std::span<char> buffer)
{
    if (buffer.empty())
        return;
    const auto n = std::min<std::size_t>(static_cast<std::size_t>(text.size()), buffer.size() - 1);
    std::copy_n(text.constData(), n, buffer.data());
    buffer[n] = '\0';
}

} // namespace

QStringList ScriptedClient::callNames() const
{
    QStringList names;
    for (const QString& call : calls)
        names << call.section(QLatin1Char(' '), 0, 0);
    return names;
}

nw::NWCCODE ScriptedClient::answer(const QString& name, const QString& details)
{
    calls << (details.isEmpty() ? name : name + QLatin1Char(' ') + details);
    return codes.value(name, nw::kSuccess);
}

nw::NWCCODE ScriptedClient::unscripted(const char* name)
{
    calls << QString::fromLatin1(name);
    return nw::kInvalidConnection;
}

nw::NWCCODE ScriptedClient::NWCallsInit(void*, void*)
{
    return answer(QStringLiteral("NWCallsInit"), {});
}

nw::NWCCODE ScriptedClient::NWParsePath(const char* path, std::span<char> serverName,
                                        nw::NWCONN_HANDLE& conn, std::span<char> volName,
                                        std::span<char> dirPath)
{
    const nw::NWCCODE code =
        answer(QStringLiteral("NWParsePath"), QStringLiteral("path=") + QString::fromLatin1(path));
    if (code != nw::kSuccess)
        return code;
    copyOut(parseServer, serverName);
    conn = parseConn;
    copyOut(parseVolume, volName);
    copyOut(parseDir, dirPath);
    return code;
}

nw::NWCCODE ScriptedClient::NWSendBroadcastMessage(nw::NWCONN_HANDLE conn, const char* message,
                                                   std::uint16_t connCount,
                                                   const std::uint32_t* connList,
                                                   std::uint8_t* resultList)
{
    // Keep the buffer up to and including its first NUL, and one byte beyond,
    // so a test sees whether the sender terminated it twice.
    const QByteArray raw(message, static_cast<qsizetype>(std::strlen(message)) + 2);
    messages << raw;
    messageTargets << connList[0];
    nw::NWCCODE code = answer(
        QStringLiteral("NWSendBroadcastMessage"),
        QStringLiteral("conn=%1 count=%2 number=%3").arg(conn).arg(connCount).arg(connList[0]));
    if (code == nw::kSuccess &&
        failingConnections.contains(static_cast<std::uint16_t>(connList[0])))
        code = nw::kBadStationNumber;
    resultList[0] = code == nw::kSuccess ? 0 : 0xFF;
    return code;
}

nw::NWCCODE ScriptedClient::NWClearConnectionNumber(nw::NWCONN_HANDLE conn,
                                                    std::uint16_t connNumber)
{
    nw::NWCCODE code = answer(QStringLiteral("NWClearConnectionNumber"),
                              QStringLiteral("conn=%1 number=%2").arg(conn).arg(connNumber));
    if (code == nw::kSuccess && failingConnections.contains(connNumber))
        code = nw::kBadStationNumber;
    if (code == nw::kSuccess)
        clearedConnections << connNumber;
    return code;
}

nw::NWCCODE ScriptedClient::NWClearFileLockSet(nw::NWCONN_HANDLE conn)
{
    return answer(QStringLiteral("NWClearFileLockSet"), QStringLiteral("conn=%1").arg(conn));
}

nw::NWCCODE ScriptedClient::NWAllocTemporaryDirectoryHandle(nw::NWCONN_HANDLE conn,
                                                            nw::NWDIR_HANDLE dirHandle,
                                                            const char* dirPath,
                                                            nw::NWDIR_HANDLE& newDirHandle,
                                                            std::uint8_t& rightsMask)
{
    const nw::NWCCODE code = answer(QStringLiteral("NWAllocTemporaryDirectoryHandle"),
                                    QStringLiteral("conn=%1 handle=%2 path=%3")
                                        .arg(conn)
                                        .arg(dirHandle)
                                        .arg(QString::fromLatin1(dirPath)));
    if (code == nw::kSuccess) {
        ++openDirHandles;
        newDirHandle = static_cast<nw::NWDIR_HANDLE>(40 + openDirHandles);
        rightsMask = 0xFF;
    }
    return code;
}

nw::NWCCODE ScriptedClient::NWClearFileLock2(nw::NWCONN_HANDLE conn, nw::NWDIR_HANDLE dirHandle,
                                             const char* path)
{
    lockPaths << QByteArray(path);
    return answer(QStringLiteral("NWClearFileLock2"), QStringLiteral("conn=%1 handle=%2 path=%3")
                                                          .arg(conn)
                                                          .arg(dirHandle)
                                                          .arg(QString::fromLatin1(path)));
}

nw::NWCCODE ScriptedClient::NWDeallocateDirectoryHandle(nw::NWCONN_HANDLE conn,
                                                        nw::NWDIR_HANDLE dirHandle)
{
    const nw::NWCCODE code = answer(QStringLiteral("NWDeallocateDirectoryHandle"),
                                    QStringLiteral("conn=%1 handle=%2").arg(conn).arg(dirHandle));
    if (code == nw::kSuccess)
        --openDirHandles;
    return code;
}

nw::NWCCODE ScriptedClient::NWScanConnectionsUsingFile(nw::NWCONN_HANDLE, nw::NWDIR_HANDLE,
                                                       const char*, std::int16_t&,
                                                       nw::CONN_USING_FILE_SUMMARY&,
                                                       nw::CONNS_USING_FILE&)
{
    return unscripted("NWScanConnectionsUsingFile");
}

nw::NWCCODE ScriptedClient::NWGetConnectionInformation(nw::NWCONN_HANDLE, std::uint16_t,
                                                       std::span<char>, std::uint16_t&,
                                                       std::uint32_t&, std::span<std::uint8_t>)
{
    return unscripted("NWGetConnectionInformation");
}

nw::NWCCODE ScriptedClient::NWGetInetAddr(nw::NWCONN_HANDLE, std::uint16_t, nw::NWINET_ADDR&)
{
    return unscripted("NWGetInetAddr");
}

nw::NWCCODE ScriptedClient::NWGetVolumeNumber(nw::NWCONN_HANDLE, const char*, std::uint16_t&)
{
    return unscripted("NWGetVolumeNumber");
}

nw::NWCCODE ScriptedClient::NWScanObjectTrusteePaths(nw::NWCONN_HANDLE, std::uint32_t,
                                                     std::uint16_t, std::uint16_t&, std::uint8_t&,
                                                     std::span<char>)
{
    return unscripted("NWScanObjectTrusteePaths");
}

nw::NWCCODE ScriptedClient::NWScanDirectoryForTrustees2(nw::NWCONN_HANDLE, nw::NWDIR_HANDLE,
                                                        const char*, std::uint32_t&,
                                                        std::span<char>, std::uint32_t&,
                                                        std::uint32_t&, std::span<nw::TRUSTEE_INFO>)
{
    return unscripted("NWScanDirectoryForTrustees2");
}

nw::NWCCODE ScriptedClient::NWDSCreateContextHandle(nw::NWDSContextHandle&)
{
    return unscripted("NWDSCreateContextHandle");
}

nw::NWCCODE ScriptedClient::NWDSSetContext(nw::NWDSContextHandle, int, const void*)
{
    return unscripted("NWDSSetContext");
}

nw::NWCCODE ScriptedClient::NWDSMapNameToID(nw::NWDSContextHandle, nw::NWCONN_HANDLE, const char*,
                                            std::uint32_t&)
{
    return unscripted("NWDSMapNameToID");
}

nw::NWCCODE ScriptedClient::NWDSMapIDToName(nw::NWDSContextHandle, nw::NWCONN_HANDLE, std::uint32_t,
                                            std::span<char>)
{
    return unscripted("NWDSMapIDToName");
}

nw::NWCCODE ScriptedClient::NWDSFreeContext(nw::NWDSContextHandle)
{
    return unscripted("NWDSFreeContext");
}

nw::NWCCODE ScriptedClient::NWGetObjectName(nw::NWCONN_HANDLE, std::uint32_t, std::span<char>,
                                            std::uint16_t&)
{
    return unscripted("NWGetObjectName");
}

nw::NWCCODE ScriptedClient::NWCCOpenConnByName(nw::NWCONN_HANDLE, const char*, std::uint32_t,
                                               std::uint32_t, std::uint32_t, nw::NWCONN_HANDLE&)
{
    return unscripted("NWCCOpenConnByName");
}

nw::NWCCODE ScriptedClient::NWCCCloseConn(nw::NWCONN_HANDLE)
{
    return unscripted("NWCCCloseConn");
}

nw::NWCCODE ScriptedClient::NWGetLongName(nw::NWCONN_HANDLE, nw::NWDIR_HANDLE, const char*,
                                          std::uint8_t, std::uint8_t, std::span<char>)
{
    return unscripted("NWGetLongName");
}

nw::NWCCODE ScriptedClient::NWIntScanExtendedInfo(nw::NWCONN_HANDLE, nw::NWDIR_HANDLE, std::uint8_t,
                                                  std::uint32_t&, const char*,
                                                  nw::NW_EXT_FILE_INFO&, std::uint8_t)
{
    return unscripted("NWIntScanExtendedInfo");
}

nw::NWCCODE ScriptedClient::NWGetFileServerVersionInfo(nw::NWCONN_HANDLE, nw::VERSION_INFO&)
{
    return unscripted("NWGetFileServerVersionInfo");
}

} // namespace quorvex
