#pragma once

// A server of the "Servers" settings reached over NCP:
//   ncp:HOST[:PORT][;USER[;@/path/to/password-file]]
// The port defaults to 524. An IPv6 address goes in brackets ("[::1]:5524").

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
};

bool isNcpServerSpec(const QString& value);

// nullopt when the value does not parse; *error then says why.
std::optional<NcpServerSpec> parseNcpServerSpec(const QString& value, QString* error = nullptr);

} // namespace ncp
