// Buffer negotiation and the directory-services ping: what a client asks
// right after it creates a connection, before it logs in.

#include "ncpd/ds_ping.h"
#include "ncpd/negotiation_requests.h"
#include "ncpd/session_dispatcher.h"

namespace ncpd {
namespace {

// Over TCP there is no echo socket; packet signing and checksums are not
// offered, so every security flag a client asks for is answered off.
constexpr std::uint16_t kNoEchoSocket = 0;
constexpr std::uint8_t kNoSecurity = 0;

// The directory's build number servers of each generation report.
std::uint32_t dsBuildNumber(int major)
{
    if (major >= 6)
        return 10552;
    return major == 5 ? 730 : 602;
}

} // namespace

SessionDispatcher::Answer SessionDispatcher::bigPacket(const QByteArray& data)
{
    const auto request = decodeBigPacket(data);
    if (!request)
        return malformed();
    Answer a;
    a.data = encodeBigPacketReply(negotiatedSize(request->proposedSize, kServerMaxPacket),
                                  kNoEchoSocket, kNoSecurity);
    return a;
}

SessionDispatcher::Answer SessionDispatcher::bufferSize(const QByteArray& data)
{
    const auto request = decodeBufferSize(data);
    if (!request)
        return malformed();
    Answer a;
    a.data = encodeBufferSizeReply(negotiatedSize(request->proposedSize, kServerBufferSize));
    return a;
}

SessionDispatcher::Answer SessionDispatcher::dsPing(const QByteArray& data)
{
    const auto s = state();
    if (!s)
        return fromCode(nw::kInvalidConnection);
    // A bindery server knows no directory-services requests at all.
    if (s->versionMajor <= 3)
        return completion(0xFB);
    const auto request = decodeDsPing(data);
    if (!request)
        return malformed();
    Answer a;
    a.data = encodeDsPingReply(*request,
                               DsPingAnswer{s->treeName(), 0, dsBuildNumber(s->versionMajor), 0});
    return a;
}

} // namespace ncpd
