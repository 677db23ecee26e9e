// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd/dispatch_worker.h"

#include "ncpd/bad_request.h"

namespace ncpd {
namespace {

// The reply limit when a client names none: the largest reply the contract allows.
constexpr std::uint32_t kDefaultReplyLimit = 4096;

} // namespace

DispatchWorker::DispatchWorker(std::unique_ptr<SessionDispatcher> dispatcher)
    : dispatcher_(std::move(dispatcher))
{
}

DispatchWorker::~DispatchWorker() = default;

void DispatchWorker::handle(const QByteArray& ncpPacket, quint32 replyLimit)
{
    bool close = false;
    QByteArray signRoot;
    const QByteArray frame = answer(ncpPacket, replyLimit, &close, &signRoot);
    emit answered(frame, close, signRoot);
}

QByteArray DispatchWorker::answer(const QByteArray& ncpPacket, quint32 replyLimit, bool* close,
                                  QByteArray* signRoot)
{
    signRoot->clear();
    *close = true;
    const auto request = ncp::decodeRequest(ncpPacket, replyLimit);
    if (!request) {
        // A request that does not fit its own header is answered, not fatal.
        const auto bad = badRequestReply(ncpPacket, dispatcher_->connectionNumber());
        *close = !bad;
        return bad.value_or(QByteArray());
    }
    const SessionDispatcher::Answer answer = dispatcher_->handle(*request);
    if (answer.drop)
        return QByteArray();
    ncp::Reply reply;
    reply.sequence = request->sequence;
    reply.task = request->task;
    reply.connection = dispatcher_->connectionNumber();
    if (request->type == ncp::kCreateConnection && answer.connectionStatus != 0)
        reply.connection = request->connection;
    reply.completion = answer.completion;
    reply.connectionStatus = answer.connectionStatus;
    reply.data = answer.data;
    const std::uint32_t limit = replyLimit ? replyLimit : kDefaultReplyLimit;
    if (ncp::kReplyHeader + std::size_t(reply.data.size()) > limit) {
        // More than the client takes: say so rather than send what it must refuse.
        reply.completion = 0xFF;
        reply.data.clear();
    }
    *close = answer.close;
    if (const auto root = dispatcher_->takeSignRoot())
        *signRoot = QByteArray(reinterpret_cast<const char*>(root->data()), 8);
    return ncp::encodeReply(reply);
}

} // namespace ncpd
