// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One directory-services message (NCP 104/2) and its answer, in as many
// fragments each way as the session's packet size needs: the first request
// fragment carries the message's header, each later one the handle the
// server gave and the next bytes; a reply that says more follow is asked for
// piece by piece with the handle it gives.

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace ncp {

class NcpSession;

struct DsAnswer
{
    enum class Kind
    {
        Done,             // error and data below (error 0: success)
        SessionEnded,     // the session is gone (session.error())
        NotSupported,     // 0xFB: the server has no directory services
        Completion,       // another completion code
        Malformed,        // fragments that do not hold together
        SignatureRefused, // a reply whose packet signature did not hold
    };
    Kind kind = Kind::Done;
    std::uint8_t completion = 0;
    std::int32_t error = 0; // the directory's error (negative) or 0
    QByteArray data;        // the verb's reply data
    bool ok() const { return kind == Kind::Done && error == 0; }
};

DsAnswer dsExchange(NcpSession& session, std::uint32_t verb, const QByteArray& parameters);

} // namespace ncp
