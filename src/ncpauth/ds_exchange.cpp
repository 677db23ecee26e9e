// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpauth/ds_exchange.h"

#include "ncp/ncp_session.h"
#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"

#include <algorithm>

namespace ncp {
namespace {

constexpr std::uint8_t kFnDirectoryServices = 0x68;
constexpr std::uint8_t kSubfunctionFragment = 2;
constexpr std::uint32_t kNoHandle = 0xFFFFFFFF;
constexpr std::uint8_t kNotSupported = 0xFB;
// A reply larger than this is not a directory login's: refused.
constexpr qsizetype kMaxReply = 256 * 1024;

} // namespace

DsAnswer dsExchange(NcpSession& session, std::uint32_t verb, const QByteArray& parameters)
{
    DsAnswer answer;
    // Room in a request packet beside its headers, and in a reply fragment.
    const qsizetype room = std::max<qsizetype>(
        256, qsizetype(std::min<std::uint32_t>(session.negotiatedSize(), kReplyLimit)) - 64);
    const auto maxFragment = std::uint32_t(kReplyLimit - 16);
    std::uint32_t handle = kNoHandle;
    qsizetype sent = 0;
    bool first = true;
    QByteArray reply;
    bool replyStarted = false;
    bool finished = false;
    for (int pieces = 0; pieces < 4096 && !finished; ++pieces) {
        WireWriter w;
        w.u32le(handle);
        qsizetype take = room - 4;
        if (first) {
            w.u32le(maxFragment)
                .u32le(std::uint32_t(parameters.size() + 12))
                .u32le(0)
                .u32le(verb)
                .u32le(maxFragment);
            take -= 20;
        }
        const QByteArray piece = replyStarted ? QByteArray() : parameters.mid(sent, take);
        w.bytes(piece);
        sent += piece.size();
        first = false;
        const auto r = session.call(kFnDirectoryServices, kSubfunctionFragment, w.take());
        if (!r) {
            answer.kind = DsAnswer::Kind::SessionEnded;
            return answer;
        }
        if (r->signatureRefused) {
            answer.kind = DsAnswer::Kind::SignatureRefused;
            return answer;
        }
        if (r->completion != 0) {
            answer.kind = r->completion == kNotSupported ? DsAnswer::Kind::NotSupported
                                                         : DsAnswer::Kind::Completion;
            answer.completion = r->completion;
            return answer;
        }
        WireReader in(r->data);
        const std::uint32_t length = in.u32le();
        const std::uint32_t next = in.u32le();
        if (!in.ok() || length < 4 || std::size_t(length) != in.remaining() + 4) {
            answer.kind = DsAnswer::Kind::Malformed;
            return answer;
        }
        if (length > 4) {
            // A piece of the reply: the first one starts with the error.
            reply += in.byteArray(in.remaining());
            replyStarted = true;
        } else if (next == kNoHandle || sent >= parameters.size()) {
            // Nothing to say and nothing asked for: the exchange would not end.
            answer.kind = DsAnswer::Kind::Malformed;
            return answer;
        }
        finished = next == kNoHandle;
        if (finished)
            break;
        if (reply.size() > kMaxReply || (replyStarted && sent < parameters.size())) {
            answer.kind = DsAnswer::Kind::Malformed;
            return answer;
        }
        handle = next;
    }
    WireReader in(reply);
    answer.error = std::int32_t(in.u32le());
    if (!finished || !in.ok() || sent < parameters.size()) {
        answer.kind = DsAnswer::Kind::Malformed;
        return answer;
    }
    answer.data = in.byteArray(in.remaining());
    return answer;
}

} // namespace ncp
