// SPDX-License-Identifier: GPL-3.0-or-later
#include "locks/server_lock_sets.h"

#include "locks/lock_error_text.h"
#include "netware/netware_text.h"

namespace quorvex {

namespace {

constexpr std::uint32_t kNameFormatBindery = 2;
constexpr std::uint32_t kOpenStateOpen = 1;
constexpr std::uint32_t kTransportAny = 0x8000;

// The lock-set texts, with the code of one they do not name: a script's log is
// all an administrator has to go on.
QString failureText(nw::NWCCODE code)
{
    QString text = lockSetErrorText(code);
    if (code != nw::kInvalidConnection && code != nw::kNlmInvalidConnection)
        text.insert(text.size() - 1, QStringLiteral(" %1").arg(qint32(code)));
    return text;
}

} // namespace

QStringList clearLockSetsOnServers(nw::NetWareClient& client, const QStringList& servers)
{
    QStringList failures;
    for (const QString& server : servers) {
        const QString lead = server + QStringLiteral(": Unable to clear file locks - ");
        nw::NWCONN_HANDLE conn = 0;
        const nw::NWCCODE opened =
            client.NWCCOpenConnByName(0, nw::toClientText(server).constData(), kNameFormatBindery,
                                      kOpenStateOpen, kTransportAny, conn);
        if (opened != nw::kSuccess) {
            failures << lead + QStringLiteral("server not reached (%1).").arg(qint32(opened));
            continue;
        }
        const nw::NWCCODE cleared = client.NWClearFileLockSet(conn);
        client.NWCCCloseConn(conn);
        if (cleared != nw::kSuccess)
            failures << lead + failureText(cleared);
    }
    return failures;
}

} // namespace quorvex
