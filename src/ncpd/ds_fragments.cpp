// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd/ds_fragments.h"

#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"
#include "ncpd/negotiation_requests.h"

#include <algorithm>

namespace ncpd {
namespace {

// Flags, verb and reply buffer size: counted in the message size.
constexpr std::uint32_t kMessageHeader = 12;
// A reply fragment carries at least a few bytes besides its handle, and no
// more than a reply of the largest packet this server sends holds.
constexpr std::uint32_t kMinFragment = 16;
constexpr std::uint32_t kMaxFragment = kServerMaxPacket - 16;

} // namespace

std::uint32_t DsFragments::newHandle()
{
    const std::uint32_t h = nextHandle_++;
    if (nextHandle_ == kNoFragmentHandle)
        nextHandle_ = 1;
    return h;
}

DsFragments::Outcome DsFragments::take(const QByteArray& data)
{
    Outcome out;
    ncp::WireReader in(data);
    const std::uint32_t handle = in.u32le();
    if (!in.ok())
        return out;
    if (handle != kNoFragmentHandle) {
        // A later piece of a request, or the call for the next piece of a reply.
        if (reply_ && reply_->handle == handle && in.atEnd()) {
            out.kind = Outcome::Reply;
            out.reply = replyPiece(reply_->maxFragmentSize);
            return out;
        }
        if (!request_ || request_->handle != handle)
            return out;
        Pending& p = *request_;
        const std::size_t missing = p.size - std::size_t(p.request.parameters.size());
        const std::size_t piece = std::min(missing, in.remaining());
        p.request.parameters += in.byteArray(piece);
        // Up to three bytes of padding may follow the message, nothing more.
        if (in.remaining() > 3) {
            request_.reset();
            return out;
        }
        if (std::size_t(p.request.parameters.size()) < p.size) {
            out.kind = Outcome::NeedMore;
            out.handle = p.handle;
            return out;
        }
        out.kind = Outcome::Complete;
        out.request = std::move(p.request);
        request_.reset();
        return out;
    }
    // A first fragment: anything pending is given up.
    request_.reset();
    reply_.reset();
    DsRequest r;
    r.fragmentHandle = handle;
    r.maxFragmentSize = in.u32le();
    const std::uint32_t messageSize = in.u32le();
    r.flags = in.u32le();
    r.verb = in.u32le();
    r.replyBufferSize = in.u32le();
    if (!in.ok() || messageSize < kMessageHeader || messageSize - kMessageHeader > kMaxMessage)
        return out;
    const std::uint32_t size = messageSize - kMessageHeader;
    r.parameters = in.byteArray(std::min<std::size_t>(size, in.remaining()));
    if (in.remaining() > 3)
        return out;
    if (std::uint32_t(r.parameters.size()) < size) {
        request_ = Pending{newHandle(), std::move(r), size};
        out.kind = Outcome::NeedMore;
        out.handle = request_->handle;
        return out;
    }
    out.kind = Outcome::Complete;
    out.request = std::move(r);
    return out;
}

QByteArray DsFragments::reply(std::int32_t directoryError, const QByteArray& verbData,
                              std::uint32_t maxFragmentSize)
{
    const QByteArray whole =
        ncp::WireWriter().u32le(std::uint32_t(directoryError)).take() + verbData;
    reply_ = PendingReply{kNoFragmentHandle, whole,
                          std::clamp(maxFragmentSize, kMinFragment, kMaxFragment)};
    return replyPiece(reply_->maxFragmentSize);
}

QByteArray DsFragments::replyPiece(std::uint32_t maxFragmentSize)
{
    // The fragment size counts the handle and the piece after the length.
    const std::size_t room = maxFragmentSize - 4;
    QByteArray piece = reply_->rest.left(qsizetype(room));
    reply_->rest.remove(0, piece.size());
    std::uint32_t next = kNoFragmentHandle;
    if (reply_->rest.isEmpty())
        reply_.reset();
    else
        next = reply_->handle = newHandle();
    ncp::WireWriter out;
    out.u32le(std::uint32_t(4 + piece.size())).u32le(next).bytes(piece);
    return out.take();
}

} // namespace ncpd
