// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "netware/netware_client.h"

#include <QByteArray>
#include <QHash>
#include <QStringList>

#include <algorithm>
#include <cstring>

namespace quorvex::test {

// A NetWare client for the extended information calls: each call answers as
// scripted and is written to a log, so a test sees what was asked, in which
// order, and what was released. Calls the file information never makes answer
// 0x8801 (invalid connection).
class ScriptedFileInfoClient : public nw::NetWareClient
{
public:
    // NWParsePath
    nw::NWCCODE parseResult = 0;
    QByteArray server = "FS1";
    QByteArray volume = "DATA";
    QByteArray path = "REPORTS\\Q1.XLS";
    // NWCCOpenConnByName / NWAllocTemporaryDirectoryHandle / NWIntScanExtendedInfo
    nw::NWCCODE openResult = 0;
    nw::NWCCODE allocResult = 0;
    nw::NWCCODE scanResult = 0;
    nw::NWCONN_HANDLE openedConn = 41;
    nw::NWDIR_HANDLE dirHandle = 7;
    QByteArray dosName = "Q1.XLS";
    nw::NW_EXT_FILE_INFO entry;
    // NWGetFileServerVersionInfo
    nw::NWCCODE versionResult = 0;
    std::uint8_t majorVersion = 6;
    // Names by object id; a missing id fails the lookup.
    QHash<std::uint32_t, QByteArray> dsNames;
    QHash<std::uint32_t, QByteArray> binderyNames;

    QStringList log;

    nw::NWCCODE NWCallsInit(void*, void*) override { return 0; }

    nw::NWCCODE NWParsePath(const char* p, std::span<char> serverName, nw::NWCONN_HANDLE& conn,
                            std::span<char> volName, std::span<char> dirPath) override
    {
        log << QStringLiteral("NWParsePath %1").arg(QString::fromLatin1(p));
        if (parseResult != 0)
            return parseResult;
        put(serverName, server);
        put(volName, volume);
        put(dirPath, path);
        conn = 1;
        return 0;
    }

    nw::NWCCODE NWCCOpenConnByName(nw::NWCONN_HANDLE start, const char* name,
                                   std::uint32_t nameFormat, std::uint32_t openState,
                                   std::uint32_t tranType, nw::NWCONN_HANDLE& conn) override
    {
        log << QStringLiteral("NWCCOpenConnByName %1 %2 %3 %4 0x%5")
                   .arg(start)
                   .arg(QString::fromLatin1(name))
                   .arg(nameFormat)
                   .arg(openState)
                   .arg(tranType, 0, 16);
        if (openResult != 0)
            return openResult;
        conn = openedConn;
        return 0;
    }

    nw::NWCCODE NWCCCloseConn(nw::NWCONN_HANDLE conn) override
    {
        log << QStringLiteral("NWCCCloseConn %1").arg(conn);
        return 0;
    }

    nw::NWCCODE NWAllocTemporaryDirectoryHandle(nw::NWCONN_HANDLE conn, nw::NWDIR_HANDLE base,
                                                const char* dirPath, nw::NWDIR_HANDLE& newHandle,
                                                std::uint8_t& rights) override
    {
        log << QStringLiteral("NWAllocTemporaryDirectoryHandle %1 %2 %3")
                   .arg(conn)
                   .arg(base)
                   .arg(QString::fromLatin1(dirPath));
        if (allocResult != 0)
            return allocResult;
        newHandle = dirHandle;
        rights = 0xFF;
        return 0;
    }

    nw::NWCCODE NWDeallocateDirectoryHandle(nw::NWCONN_HANDLE conn,
                                            nw::NWDIR_HANDLE handle) override
    {
        log << QStringLiteral("NWDeallocateDirectoryHandle %1 %2").arg(conn).arg(handle);
        return 0;
    }

    nw::NWCCODE NWGetLongName(nw::NWCONN_HANDLE conn, nw::NWDIR_HANDLE handle, const char* p,
                              std::uint8_t src, std::uint8_t dst, std::span<char> longName) override
    {
        log << QStringLiteral("NWGetLongName %1 %2 %3 %4 %5")
                   .arg(conn)
                   .arg(handle)
                   .arg(QString::fromLatin1(p))
                   .arg(src)
                   .arg(dst);
        put(longName, dosName);
        return 0;
    }

    nw::NWCCODE NWIntScanExtendedInfo(nw::NWCONN_HANDLE conn, nw::NWDIR_HANDLE handle,
                                      std::uint8_t attrs, std::uint32_t& iterHandle,
                                      const char* pattern, nw::NW_EXT_FILE_INFO& info,
                                      std::uint8_t augment) override
    {
        log << QStringLiteral("NWIntScanExtendedInfo %1 %2 %3 0x%4 %5 %6")
                   .arg(conn)
                   .arg(handle)
                   .arg(attrs)
                   .arg(iterHandle, 0, 16)
                   .arg(QString::fromLatin1(pattern))
                   .arg(augment);
        if (scanResult != 0)
            return scanResult;
        info = entry;
        return 0;
    }

    nw::NWCCODE NWGetFileServerVersionInfo(nw::NWCONN_HANDLE, nw::VERSION_INFO& v) override
    {
        if (versionResult != 0)
            return versionResult;
        v.bytes[48] = majorVersion;
        return 0;
    }
    nw::NWCCODE NWScanOpenFilesByConn2(nw::NWCONN_HANDLE, std::uint16_t, std::int16_t&,
                                       nw::OPEN_FILE_CONN_CTRL&, nw::OPEN_FILE_CONN&) override
    {
        return nw::kInvalidConnection;
    }
    nw::NWCCODE NWGetObjectConnectionNumbers(nw::NWCONN_HANDLE, const char*, std::uint16_t,
                                             std::uint16_t&, std::span<std::uint16_t>) override
    {
        return nw::kInvalidConnection;
    }
    nw::NWCCODE NWGetActiveConnListByType(nw::NWCONN_HANDLE, std::uint32_t, std::uint32_t,
                                          nw::NWFSE_ACTIVE_CONN_LIST&) override
    {
        return nw::kInvalidConnection;
    }
    nw::NWCCODE NWGetPathFromDirectoryBase(nw::NWCONN_HANDLE, std::uint8_t, std::uint32_t,
                                           std::uint8_t, std::uint8_t&, std::span<char>) override
    {
        return nw::kInvalidConnection;
    }

    nw::NWCCODE NWDSCreateContextHandle(nw::NWDSContextHandle& context) override
    {
        context = ++contexts_;
        log << QStringLiteral("NWDSCreateContextHandle %1").arg(context);
        return 0;
    }
    nw::NWCCODE NWDSSetContext(nw::NWDSContextHandle, int, const void*) override { return 0; }
    nw::NWCCODE NWDSMapNameToID(nw::NWDSContextHandle, nw::NWCONN_HANDLE, const char*,
                                std::uint32_t&) override
    {
        return nw::kDsNoSuchEntry;
    }
    nw::NWCCODE NWDSMapIDToName(nw::NWDSContextHandle context, nw::NWCONN_HANDLE conn,
                                std::uint32_t id, std::span<char> name) override
    {
        log << QStringLiteral("NWDSMapIDToName %1 %2 %3").arg(context).arg(conn).arg(id);
        if (!dsNames.contains(id))
            return nw::kDsNoSuchEntry;
        putRaw(name, dsNames.value(id));
        return 0;
    }
    nw::NWCCODE NWDSFreeContext(nw::NWDSContextHandle context) override
    {
        log << QStringLiteral("NWDSFreeContext %1").arg(context);
        return 0;
    }
    nw::NWCCODE NWGetObjectName(nw::NWCONN_HANDLE conn, std::uint32_t id, std::span<char> name,
                                std::uint16_t& type) override
    {
        log << QStringLiteral("NWGetObjectName %1 %2").arg(conn).arg(id);
        if (!binderyNames.contains(id))
            return nw::kNoSuchObject;
        putRaw(name, binderyNames.value(id));
        type = 1;
        return 0;
    }

    // Not used by the file information.
    nw::NWCCODE NWScanConnectionsUsingFile(nw::NWCONN_HANDLE, nw::NWDIR_HANDLE, const char*,
                                           std::int16_t&, nw::CONN_USING_FILE_SUMMARY&,
                                           nw::CONNS_USING_FILE&) override
    {
        return nw::kInvalidConnection;
    }
    nw::NWCCODE NWGetConnectionInformation(nw::NWCONN_HANDLE, std::uint16_t, std::span<char>,
                                           std::uint16_t&, std::uint32_t&,
                                           std::span<std::uint8_t>) override
    {
        return nw::kInvalidConnection;
    }
    nw::NWCCODE NWGetInetAddr(nw::NWCONN_HANDLE, std::uint16_t, nw::NWINET_ADDR&) override
    {
        return nw::kInvalidConnection;
    }
    nw::NWCCODE NWSendBroadcastMessage(nw::NWCONN_HANDLE, const char*, std::uint16_t,
                                       const std::uint32_t*, std::uint8_t*) override
    {
        return nw::kInvalidConnection;
    }
    nw::NWCCODE NWClearConnectionNumber(nw::NWCONN_HANDLE, std::uint16_t) override
    {
        return nw::kInvalidConnection;
    }
    nw::NWCCODE NWClearFileLockSet(nw::NWCONN_HANDLE) override { return nw::kInvalidConnection; }
    nw::NWCCODE NWClearFileLock2(nw::NWCONN_HANDLE, nw::NWDIR_HANDLE, const char*) override
    {
        return nw::kInvalidConnection;
    }
    nw::NWCCODE NWGetVolumeNumber(nw::NWCONN_HANDLE, const char*, std::uint16_t&) override
    {
        return nw::kInvalidConnection;
    }
    nw::NWCCODE NWScanObjectTrusteePaths(nw::NWCONN_HANDLE, std::uint32_t, std::uint16_t,
                                         std::uint16_t&, std::uint8_t&, std::span<char>) override
    {
        return nw::kInvalidConnection;
    }
    nw::NWCCODE NWScanDirectoryForTrustees2(nw::NWCONN_HANDLE, nw::NWDIR_HANDLE, const char*,
                                            std::uint32_t&, std::span<char>, std::uint32_t&,
                                            std::uint32_t&, std::span<nw::TRUSTEE_INFO>) override
    {
        return nw::kInvalidConnection;
    }

    // The log lines of one call, by its name.
    QStringList calls(const QString& name) const
    {
        QStringList found;
        for (const QString& line : log)
            if (line.startsWith(name + u' '))
                found << line;
        return found;
    }

private:
    // As the client does: NUL-terminated within the buffer, cut when too long.
    static void put(std::span<char> buffer, const QByteArray& text)
    {
        std::fill(buffer.begin(), buffer.end(), '\0');
        const auto n = std::min<std::size_t>(buffer.size() - 1, std::size_t(text.size()));
        std::memcpy(buffer.data(), text.constData(), n);
    }
    // Fills the buffer without room for a terminator when the text is as long,
    // as a server answering with a name that fills the whole buffer does.
    static void putRaw(std::span<char> buffer, const QByteArray& text)
    {
        std::fill(buffer.begin(), buffer.end(), '\0');
        const auto n = std::min<std::size_t>(buffer.size(), std::size_t(text.size()));
        std::memcpy(buffer.data(), text.constData(), n);
    }

    nw::NWDSContextHandle contexts_ = 0;
};

} // namespace quorvex::test
