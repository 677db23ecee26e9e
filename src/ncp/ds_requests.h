// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Directory services through NCP 104/2, one fragment each way: resolve a name
// to its entry ID (verb 1) and read an entry's distinguished name (verb 2).
// Entry IDs travel as the object ID's four bytes, big-endian.

#include "ncp/request_body.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

namespace ncp {

RequestBody resolveNameRequest(const QString& name);
// The parameters of a resolve (verb 1), for a message of several fragments.
QByteArray resolveNameParameters(const QString& name);
RequestBody readEntryNameRequest(std::uint32_t entryId);

// The fragment's directory error and verb data.
struct DsReply
{
    std::int32_t error = 0;
    QByteArray verbData;
};
// Refuses a reply whose fragment length disagrees with its size, or that says
// more fragments follow (no request here asks for that much).
std::optional<DsReply> decodeDsReply(const QByteArray& data);

// Verb data of a successful resolve: the entry ID; nullopt when malformed.
// A tag other than "local entry" (a referral elsewhere) is reported as
// found = false.
struct ResolvedName
{
    bool found = false;
    std::uint32_t entryId = 0;
};
std::optional<ResolvedName> decodeResolvedName(const QByteArray& verbData);
std::optional<QString> decodeEntryName(const QByteArray& verbData);

} // namespace ncp
