// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileinfo/get_file_info.h"

#include "app/message_pane.h"
#include "fileinfo/date_time_text.h"
#include "fileinfo/object_names.h"
#include "netware/netware_text.h"
#include "platform/prompts.h"

#include <array>

namespace quorvex {

namespace {

// NWCCOpenConnByName arguments: a bindery-format name, opened for use, any transport.
constexpr std::uint32_t kNameFormatBindery = 2;
constexpr std::uint32_t kOpenStateOpen = 1;
constexpr std::uint32_t kTransportAny = 0x8000;
// Search attributes: hidden and system files are found too.
constexpr std::uint8_t kSearchHiddenSystem = 6;
constexpr std::uint32_t kFirstIteration = 0xFFFFFFFF;
// Byte of the version record that holds the file service's major version.
constexpr int kMajorVersionOffset = 48;

void fail(Prompts& prompts, MessagePane& pane, const QString& message)
{
    prompts.beep();
    pane.setText(message);
}

} // namespace

NetWarePathParts splitNetWarePath(const QString& netwarePath)
{
    const qsizetype first = netwarePath.indexOf(u'\\');
    qsizetype second = netwarePath.lastIndexOf(u'\\');
    // A file in the volume's root has no "\" after the server's; the volume's
    // colon ends the directory then, so the directory is the volume name alone.
    if (second == first)
        second = netwarePath.lastIndexOf(u':');
    NetWarePathParts parts;
    if (first < 0) {
        parts.server = netwarePath;
        return parts;
    }
    parts.server = netwarePath.left(first);
    if (second > first) {
        parts.directory = netwarePath.mid(first + 1, second - first - 1);
        parts.fileName = netwarePath.mid(second + 1);
    } else {
        parts.fileName = netwarePath.mid(first + 1);
    }
    return parts;
}

std::optional<ExtendedFileInfo> GetFileInfo(const QString& netwarePath, nw::NetWareClient& client,
                                            Prompts& prompts, MessagePane& pane)
{
    const NetWarePathParts parts = splitNetWarePath(netwarePath);

    nw::NWCONN_HANDLE conn = 0;
    const QByteArray server = nw::toClientText(parts.server);
    if (client.NWCCOpenConnByName(0, server.constData(), kNameFormatBindery, kOpenStateOpen,
                                  kTransportAny, conn) != nw::kSuccess) {
        fail(prompts, pane, QStringLiteral("Cannot open connection to the given server."));
        return std::nullopt;
    }

    nw::NWDIR_HANDLE dirHandle = 0;
    std::uint8_t rights = 0;
    const QByteArray directory = nw::toClientText(parts.directory);
    if (client.NWAllocTemporaryDirectoryHandle(conn, 0, directory.constData(), dirHandle, rights) !=
        nw::kSuccess) {
        fail(prompts, pane, QStringLiteral("Cannot create directory handle."));
        client.NWCCCloseConn(conn);
        return std::nullopt;
    }

    // The DOS name is the search pattern. When the lookup fails the buffer keeps
    // whatever it holds and the scan below reports the failure.
    std::array<char, 16> dosName{};
    const QByteArray fileName = nw::toClientText(parts.fileName);
    client.NWGetLongName(conn, dirHandle, fileName.constData(), nw::NW_NS_LONG, nw::NW_NS_DOS,
                         dosName);
    dosName.back() = '\0'; // the pattern must stay terminated within its buffer

    nw::NW_EXT_FILE_INFO entry;
    std::uint32_t iteration = kFirstIteration;
    if (client.NWIntScanExtendedInfo(conn, dirHandle, kSearchHiddenSystem, iteration,
                                     dosName.data(), entry, 0) != nw::kSuccess) {
        fail(prompts, pane, QStringLiteral("Scan for extended file info failed."));
        client.NWDeallocateDirectoryHandle(conn, dirHandle);
        client.NWCCCloseConn(conn);
        return std::nullopt;
    }

    // A failed version query leaves the record zeroed, which reads as a bindery server.
    nw::VERSION_INFO version;
    client.NWGetFileServerVersionInfo(conn, version);
    const bool directoryServices = version.bytes[kMajorVersionOffset] > 3;
    const auto nameOf = [&](std::uint32_t id) {
        return directoryServices ? DirectoryObjectName(client, id, conn)
                                 : BinderyObjectName(client, id, conn);
    };

    ExtendedFileInfo info;
    info.fileName = parts.fileName;
    info.created = DateTimeText(entry.u32(28));
    info.owner = nameOf(entry.u32(32));
    info.lastAccess = DateTimeText(std::uint32_t{entry.u16(102)} << 16);
    info.lastArchived = DateTimeText(entry.u32(36));
    info.lastArchivedBy = nameOf(entry.u32(40));
    info.lastModified = DateTimeText(entry.u32(44));
    info.lastModifiedBy = nameOf(entry.u32(48));
    info.attributes = entry.u32(8);

    client.NWDeallocateDirectoryHandle(conn, dirHandle);
    client.NWCCCloseConn(conn);
    return info;
}

} // namespace quorvex
