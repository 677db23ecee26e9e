#include "ncpd/old_form_requests.h"

#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"
#include "ncpd/request_text.h"

namespace ncpd {
namespace {

constexpr int kOldMessageMax = 58;

} // namespace

std::optional<std::uint8_t> decodeConnectionByte(const QByteArray& data)
{
    ncp::WireReader in(data);
    const std::uint8_t connection = in.u8();
    return consumedExactly(in) ? std::optional(connection) : std::nullopt;
}

QByteArray encodeOldInetAddrReply(const nw::NWINET_ADDR& address)
{
    ncp::WireWriter out;
    out.bytes(address.network).bytes(address.node).bytes(address.socket);
    return out.take();
}

std::optional<OldBroadcastRequest> decodeOldBroadcast(const QByteArray& data)
{
    ncp::WireReader in(data);
    OldBroadcastRequest r;
    const std::uint8_t count = in.u8();
    for (std::uint8_t i = 0; i < count; ++i)
        r.connections.push_back(in.u8());
    r.message = readText(in);
    if (r.message.size() > kOldMessageMax)
        in.fail();
    return consumedExactly(in) ? std::optional(r) : std::nullopt;
}

QByteArray encodeOldBroadcastReply(const std::vector<std::uint8_t>& statuses)
{
    ncp::WireWriter out;
    out.u8(std::uint8_t(statuses.size()));
    for (const std::uint8_t s : statuses)
        out.u8(s);
    return out.take();
}

QByteArray encodeMessageReply(const QByteArray& message)
{
    ncp::WireWriter out;
    out.lengthPrefixed(message);
    return out.take();
}

} // namespace ncpd
