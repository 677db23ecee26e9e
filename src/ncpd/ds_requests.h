// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Directory services, NCP 104/2: a message (put together from its fragments,
// see DsFragments) carrying a verb and its parameters, and the reply carrying
// a directory error and the verb's data. Served verbs: 1 (resolve a name to an
// entry ID) and 2 (read an entry's information).

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace ncpd {

inline constexpr std::uint32_t kNoFragmentHandle = 0xFFFFFFFF;
inline constexpr std::uint32_t kResolvedLocalEntry = 1;

struct DsRequest
{
    std::uint32_t fragmentHandle = kNoFragmentHandle;
    std::uint32_t maxFragmentSize = 0;
    std::uint32_t flags = 0;
    std::uint32_t verb = 0;
    std::uint32_t replyBufferSize = 0;
    QByteArray parameters;
};

struct ResolveNameRequest // verb 1
{
    std::uint32_t version = 0;
    std::uint32_t flags = 0;
    std::uint32_t scope = 0;
    QString name;
    std::vector<std::uint32_t> transports;
    std::vector<std::uint32_t> treeWalkerTransports;
};
std::optional<ResolveNameRequest> decodeResolveName(const QByteArray& parameters);

struct ReadEntryNameRequest // verb 2
{
    std::uint32_t version = 0;
    std::uint32_t requestFlags = 0; // the name style (see ds_names.h)
    std::uint32_t infoFlags = 0;
    std::array<std::uint8_t, 4> entryId{};
    // The entry ID's bytes are the object ID big-endian.
    std::uint32_t objectId() const;
};
std::optional<ReadEntryNameRequest> decodeReadEntryName(const QByteArray& parameters);

// The reply data (from offset 8) asking for the next fragment of a request:
// fragment length 4, the handle to send it with.
QByteArray encodeDsNextFragment(std::uint32_t handle);
QByteArray encodeResolveNameData(std::uint32_t objectId);

} // namespace ncpd
