#include "ncpd/dispatch_worker.h"

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
    const auto request = ncp::decodeRequest(ncpPacket, replyLimit);
    if (!request) {
        emit answered(QByteArray(), true);
        return;
    }
    const SessionDispatcher::Answer answer = dispatcher_->handle(*request);
    if (answer.drop) {
        emit answered(QByteArray(), true);
        return;
    }
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
    emit answered(ncp::encodeReply(reply), answer.close);
}

} // namespace ncpd
