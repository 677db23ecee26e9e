// SPDX-License-Identifier: GPL-3.0-or-later
// The 3.x forms with one-byte connection numbers, answered on a bindery
// (3.x) server through the same simulated calls as their newer forms.

#include "ncpd/connection_requests.h"
#include "ncpd/old_form_requests.h"
#include "ncpd/request_text.h"
#include "ncpd/session_dispatcher.h"
#include "netware/sim_path.h"
#include "netware/sim_server.h"

namespace ncpd {

SessionDispatcher::Answer SessionDispatcher::oldLoggedInfo(const QByteArray& data)
{
    const auto connection = decodeOneByte(data);
    if (!connection)
        return malformed();
    std::array<char, 48> name{};
    std::uint16_t type = 0;
    std::uint32_t id = 0;
    std::array<std::uint8_t, 7> loginTime{};
    const nw::NWCCODE code =
        client_->NWGetConnectionInformation(handle_, *connection, name, type, id, loginTime);
    return fromCode(code, encodeConnectionInfoReply(id, type, QByteArray(name.data()), loginTime));
}

SessionDispatcher::Answer SessionDispatcher::oldInetAddr(const QByteArray& data)
{
    const auto connection = decodeOneByte(data);
    if (!connection)
        return malformed();
    nw::NWINET_ADDR address;
    const nw::NWCCODE code = client_->NWGetInetAddr(handle_, *connection, address);
    return fromCode(code, encodeOldInetAddrReply(address));
}

SessionDispatcher::Answer SessionDispatcher::takeMessage()
{
    nw::SimServer* server = client_->simServer(serverName_);
    if (!server)
        return fromCode(nw::kInvalidConnection);
    // The oldest message waiting for this session's connection is handed
    // over once and leaves the state.
    QString text;
    const std::uint16_t own = connection_;
    const bool ok = server->mutate([&](nw::SimState& s) {
        const int index = s.connectionIndex(own);
        if (index < 0 || s.connections[std::size_t(index)].messages.isEmpty())
            return false;
        QJsonArray& messages = s.connections[std::size_t(index)].messages;
        text = messages.first().toObject().value(QLatin1String("text")).toString();
        messages.removeFirst();
        return true;
    });
    if (!ok && !server->state())
        return fromCode(nw::kInvalidConnection);
    Answer a;
    a.data = encodeMessageReply(nw::toWire(text).left(255));
    return a;
}

} // namespace ncpd
