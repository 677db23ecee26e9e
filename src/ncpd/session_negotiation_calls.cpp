// SPDX-License-Identifier: GPL-3.0-or-later
// Buffer negotiation and the directory-services ping: what a client asks
// right after it creates a connection, before it logs in.

#include "ncpd/ds_ping.h"
#include "ncpd/negotiation_requests.h"
#include "ncpd/session_dispatcher.h"

namespace ncpd {
namespace {

// Over TCP there is no echo socket. Of the security flags only signing is
// offered (checksums and encryption are answered off).
constexpr std::uint16_t kNoEchoSocket = 0;
constexpr std::uint8_t kSigning = 0x02;

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
    // The signature level: 0 never signs; 1 signs when the client asks; 2
    // asks a client that did not, and gives way when it asks again without;
    // 3 always answers that packets are signed.
    const auto s = state();
    const int level = s ? s->signatureLevel : 1;
    const bool asked = request->securityFlags & kSigning;
    bool sign = false;
    switch (level) {
    case 0:
        break;
    case 1:
        sign = asked;
        break;
    case 2:
        sign = asked || !askedToSign_;
        askedToSign_ = askedToSign_ || !asked;
        break;
    default:
        sign = true;
        break;
    }
    signingAgreed_ = sign;
    Answer a;
    a.data = encodeBigPacketReply(negotiatedSize(request->proposedSize, kServerMaxPacket),
                                  kNoEchoSocket, sign ? kSigning : 0);
    return a;
}

SessionDispatcher::Answer SessionDispatcher::bufferSize(const QByteArray& data)
{
    const auto request = decodeBufferSize(data);
    if (!request)
        return malformed();
    signingAgreed_ = false; // the older negotiation knows no signing
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
