// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A server of the "Servers" settings reached over NCP:
//   ncp:HOST[:PORT][;USER[;@/path/to/password-file][;bindery]]
// The port defaults to 524. An IPv6 address goes in brackets ("[::1]:5524").
// USER is a bindery name or a directory name with its context ("ADMIN.ACME",
// ".CN=ADMIN.O=ACME"); ";bindery" keeps the login in the bindery, the name
// taken as it stands.

#include <QString>

#include <cstdint>
#include <optional>

namespace ncp {

struct NcpServerSpec
{
    QString host;
    std::uint16_t port = 524;
    QString user;         // empty: the session does not log in
    QString passwordFile; // empty: the password is asked for
    bool binderyOnly = false;
};

bool isNcpServerSpec(const QString& value);

// nullopt when the value does not parse; *error then says why.
std::optional<NcpServerSpec> parseNcpServerSpec(const QString& value, QString* error = nullptr);

} // namespace ncp
