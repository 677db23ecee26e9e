// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The reply data of directory-services verb 2 (read entry information): one
// field for each information flag the request sets, in the order of the
// flags' bits. Numbers are little-endian u32; names are a byte length and
// UTF-16LE text with its terminator, padded to 4.

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace ncpd {

inline constexpr std::uint32_t kInfoOutputFields = 0x00000001;
inline constexpr std::uint32_t kInfoEntryId = 0x00000002;
inline constexpr std::uint32_t kInfoEntryFlags = 0x00000004;
inline constexpr std::uint32_t kInfoSubordinateCount = 0x00000008;
inline constexpr std::uint32_t kInfoModificationTime = 0x00000010;
inline constexpr std::uint32_t kInfoModificationStamp = 0x00000020;
inline constexpr std::uint32_t kInfoCreationStamp = 0x00000040;
inline constexpr std::uint32_t kInfoPartitionRootId = 0x00000080;
inline constexpr std::uint32_t kInfoParentId = 0x00000100;
inline constexpr std::uint32_t kInfoRevisionCount = 0x00000200;
inline constexpr std::uint32_t kInfoReplicaType = 0x00000400;
inline constexpr std::uint32_t kInfoBaseClass = 0x00000800;
inline constexpr std::uint32_t kInfoEntryRdn = 0x00001000;
inline constexpr std::uint32_t kInfoEntryDn = 0x00002000;
inline constexpr std::uint32_t kInfoPartitionRootDn = 0x00004000;
inline constexpr std::uint32_t kInfoParentDn = 0x00008000;
inline constexpr std::uint32_t kInfoPurgeTime = 0x00010000;
inline constexpr std::uint32_t kInfoDereferenceBaseClass = 0x00020000; // no field of its own
inline constexpr std::uint32_t kInfoReplicaNumber = 0x00040000;
inline constexpr std::uint32_t kInfoReplicaState = 0x00080000;

// Entry flags.
inline constexpr std::uint32_t kEntryContainer = 0x00000004;

struct DsEntryInfo
{
    std::uint32_t id = 0;
    std::uint32_t flags = 0;
    std::uint32_t subordinates = 0;
    std::uint32_t parentId = 0;
    std::uint32_t partitionRootId = 0;
    QString baseClass;
    QString rdn;
    QString dn;
    QString parentDn;
    QString partitionRootDn;
};

QByteArray encodeEntryInfoData(std::uint32_t infoFlags, const DsEntryInfo& entry);

} // namespace ncpd
