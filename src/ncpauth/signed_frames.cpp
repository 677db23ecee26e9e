// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpauth/signed_frames.h"

#include "ncp/ncp_packet.h"
#include "ncpauth/sealed_block.h"

#include <algorithm>

namespace ncp {
namespace {

constexpr qsizetype kSignature = 8;
// What a signature does not cover: type, sequence, connection, task, high connection.
constexpr qsizetype kUnsigned = 6;

// The frame with the signature put after its TCP header and its length mended.
QByteArray withSignature(const QByteArray& frame, qsizetype header, const Signature& s)
{
    QByteArray out = frame;
    out.insert(header, reinterpret_cast<const char*>(s.data()), kSignature);
    const auto length = std::uint32_t(out.size());
    for (int i = 0; i < 4; ++i)
        out[4 + i] = char(length >> (24 - 8 * i));
    return out;
}

std::span<const std::uint8_t> signedPart(const QByteArray& packet)
{
    return bytesOf(packet).subspan(std::min<std::size_t>(kUnsigned, std::size_t(packet.size())));
}

} // namespace

QByteArray SignedFrames::signRequest(const QByteArray& frame)
{
    const QByteArray packet = frame.mid(qsizetype(kRequestTcpHeader));
    const Signature s =
        chain_.signRequest(signedPart(packet), std::uint32_t(frame.size() + kSignature));
    return withSignature(frame, qsizetype(kRequestTcpHeader), s);
}

QByteArray SignedFrames::signReply(const QByteArray& frame) const
{
    const QByteArray packet = frame.mid(qsizetype(kReplyTcpHeader));
    const Signature s =
        chain_.signReply(signedPart(packet), std::uint32_t(frame.size() + kSignature));
    return withSignature(frame, qsizetype(kReplyTcpHeader), s);
}

std::optional<QByteArray> SignedFrames::openRequest(const QByteArray& signedNcp, bool* good)
{
    if (signedNcp.size() < kSignature + kUnsigned)
        return std::nullopt;
    const QByteArray packet = signedNcp.mid(kSignature);
    const Signature s = chain_.signRequest(
        signedPart(packet), std::uint32_t(kRequestTcpHeader + std::size_t(signedNcp.size())));
    *good = std::equal(s.begin(), s.end(), bytesOf(signedNcp).begin());
    return packet;
}

std::optional<QByteArray> SignedFrames::openReply(const QByteArray& signedNcp, bool* good) const
{
    if (signedNcp.size() < kSignature + kUnsigned)
        return std::nullopt;
    const QByteArray packet = signedNcp.mid(kSignature);
    const Signature s = chain_.signReply(
        signedPart(packet), std::uint32_t(kReplyTcpHeader + std::size_t(signedNcp.size())));
    *good = std::equal(s.begin(), s.end(), bytesOf(signedNcp).begin());
    return packet;
}

} // namespace ncp
