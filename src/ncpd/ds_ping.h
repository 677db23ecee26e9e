// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// 104/1, the directory-services ping a client sends before login to learn
// whether the server has a tree and which. Version 0 (or a request too short
// to carry a version, as some clients send) is answered in the fixed form:
// 9, the tree name padded with '_' to 32 characters, then depth, DS build and
// flags. Version 1 names the fields it wants in a mask and gets the form 10
// with those fields in order. Data is the bytes after the subfunction.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

namespace ncpd {

inline constexpr std::uint32_t kPingSupportedFields = 0x00000001;
inline constexpr std::uint32_t kPingDepth = 0x00000002;
inline constexpr std::uint32_t kPingBuildNumber = 0x00000004;
inline constexpr std::uint32_t kPingFlags = 0x00000008;
inline constexpr std::uint32_t kPingSapName = 0x00010000;
inline constexpr std::uint32_t kPingTreeName = 0x00020000;

struct DsPingRequest
{
    std::uint32_t version = 0;
    std::uint32_t fields = 0; // version 1 only
};
std::optional<DsPingRequest> decodeDsPing(const QByteArray& data);

struct DsPingAnswer
{
    QString tree;
    std::uint32_t depth = 0;
    std::uint32_t buildNumber = 0;
    std::uint32_t flags = 0;
};
QByteArray encodeDsPingReply(const DsPingRequest& request, const DsPingAnswer& answer);

} // namespace ncpd
