// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The server-wide requests: 23/235 (the files one connection has open), 23/27
// and 23/21 (the connections of one object), 123/14 (the connections in use)
// and 87/28 (the path of a directory entry). The layouts are described in
// ncp/open_file_requests.h and ncp/connection_list_requests.h. Decoders take
// Request::data; encoders give the reply from offset 8.

#include "ncpd/volume_paths.h"
#include "netware/netware_client.h"

#include <QByteArray>
#include <QByteArrayList>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace ncpd {

struct OpenFilesRequest // 23/235
{
    std::uint16_t connection = 0;
    std::uint16_t lastRecord = 0;
};
std::optional<OpenFilesRequest> decodeOpenFiles(const QByteArray& data);
QByteArray encodeOpenFilesReply(std::uint16_t nextRecord, std::uint16_t count,
                                const QByteArray& records);

struct ObjectConnectionsRequest // 23/27, 23/21 (after 0)
{
    std::uint32_t after = 0;
    std::uint16_t objectType = 0;
    QByteArray name;
};
std::optional<ObjectConnectionsRequest> decodeObjectConnections(const QByteArray& data);
std::optional<ObjectConnectionsRequest> decodeObjectConnectionsOld(const QByteArray& data);
QByteArray encodeObjectConnectionsReply(std::span<const std::uint16_t> connections);
QByteArray encodeObjectConnectionsOldReply(std::span<const std::uint16_t> connections);

struct ActiveConnectionsRequest // 123/14
{
    std::uint32_t first = 0;
    std::uint8_t connectionType = 0;
};
std::optional<ActiveConnectionsRequest> decodeActiveConnections(const QByteArray& data);
QByteArray encodeActiveConnectionsReply(const nw::NWFSE_ACTIVE_CONN_LIST& list);

struct FullPathRequest // 87/28
{
    std::uint8_t sourceNameSpace = 0;
    std::uint8_t destinationNameSpace = 0;
    std::uint16_t cookieFlags = 0;
    std::uint32_t cookie1 = 0;
    std::uint32_t cookie2 = 0;
    // An empty name goes up to the parent, as clients ask for a file's
    // directory.
    HandlePath path;
};
std::optional<FullPathRequest> decodeFullPath(const QByteArray& data);
// components: from the entry up, the volume's name last.
QByteArray encodeFullPathReply(bool isFile, const QByteArrayList& components);

} // namespace ncpd
