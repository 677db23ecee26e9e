// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd/server_session.h"

#include "ncp/ncp_packet.h"
#include "ncp/wire_reader.h"
#include "ncpd/bad_request.h"
#include "ncpd/dispatch_worker.h"

#include <QTcpSocket>
#include <QThread>

namespace ncpd {

ServerSession::ServerSession(QTcpSocket* socket, std::unique_ptr<SessionDispatcher> dispatcher,
                             QThread* thread, QObject* parent)
    : QObject(parent), socket_(socket), thread_(thread),
      worker_(new DispatchWorker(std::move(dispatcher))),
      frames_(ncp::FrameAssembler::Direction::Requests, kMaxRequestFrame)
{
    socket_->setParent(this);
    worker_->moveToThread(thread_);
    // The worker outlives the session while a call is still running: it goes
    // when its thread has finished.
    connect(thread_, &QThread::finished, worker_, &QObject::deleteLater);
    connect(worker_, &DispatchWorker::answered, this, &ServerSession::onAnswered,
            Qt::QueuedConnection);
    stillWorking_.setInterval(kStillWorkingMs);
    connect(&stillWorking_, &QTimer::timeout, this, &ServerSession::sendStillWorking);
    connect(socket_, &QTcpSocket::readyRead, this, &ServerSession::readFrames);
    connect(socket_, &QTcpSocket::bytesWritten, this, &ServerSession::dispatchNext);
    connect(socket_, &QTcpSocket::disconnected, this, &ServerSession::finish);
    connect(socket_, &QTcpSocket::errorOccurred, this, &ServerSession::finish);
    // Bytes that came with the connection are read once the owner listens to ended().
    QMetaObject::invokeMethod(this, &ServerSession::readFrames, Qt::QueuedConnection);
}

ServerSession::~ServerSession()
{
    disconnect(worker_, nullptr, this, nullptr);
    thread_->quit();
}

void ServerSession::readFrames()
{
    if (ending_)
        return;
    frames_.feed(socket_->readAll());
    while (const auto frame = frames_.next()) {
        if (queue_.size() >= kMaxQueued) {
            drop("too many requests queued");
            return;
        }
        queue_.push_back(Pending{frame->ncp, frame->replyLimit});
    }
    if (frames_.failed()) {
        drop(frames_.error());
        return;
    }
    dispatchNext();
}

void ServerSession::dispatchNext()
{
    if (busy_ || ending_ || queue_.empty() || socket_->bytesToWrite() > kMaxUnsent)
        return;
    Pending next = std::move(queue_.front());
    queue_.pop_front();
    if (signed_) {
        bool good = false;
        const auto packet = signed_->openRequest(next.ncp, &good);
        if (!packet || !good) {
            drop("request with a bad packet signature");
            return;
        }
        next.ncp = *packet;
    }
    // The packet must carry what its reply echoes; the worker reads it again
    // for its fields (and answers one that does not fit its layout with a
    // completion code).
    if (!answerable(next.ncp)) {
        drop("request that does not hold together");
        return;
    }
    creating_ = next.ncp.size() >= 2 &&
                std::uint8_t(next.ncp[0]) == (ncp::kCreateConnection >> 8) &&
                std::uint8_t(next.ncp[1]) == (ncp::kCreateConnection & 0xFF);
    emit requestStarted(creating_);
    // Without latency a call answers in microseconds: answered here, it saves
    // the two hops to the worker's thread and back, most of a round trip.
    if (worker_->answersAtOnce()) {
        bool close = false;
        QByteArray signRoot;
        const QByteArray frame = worker_->answer(next.ncp, next.replyLimit, &close, &signRoot);
        onAnswered(frame, close, signRoot);
        return;
    }
    busy_ = true;
    current_ = next.ncp;
    stillWorking_.start();
    QMetaObject::invokeMethod(
        worker_,
        [worker = worker_, packet = std::move(next.ncp), limit = next.replyLimit] {
            worker->handle(packet, limit);
        },
        Qt::QueuedConnection);
}

QByteArray ServerSession::outgoing(const QByteArray& frame) const
{
    return signed_ ? signed_->signReply(frame) : frame;
}

void ServerSession::onAnswered(const QByteArray& replyFrame, bool close, const QByteArray& signRoot)
{
    stillWorking_.stop();
    busy_ = false;
    current_.clear();
    if (ending_)
        return;
    if (replyFrame.isEmpty()) {
        drop("request that does not hold together");
        return;
    }
    socket_->write(outgoing(replyFrame));
    socket_->flush(); // at once, not when the event loop next turns
    if (signRoot.size() == 8) {
        // The login's own reply went unsigned; everything after it is signed.
        ncp::SignRoot root{};
        std::copy(signRoot.begin(), signRoot.end(), root.begin());
        signed_ = std::make_unique<ncp::SignedFrames>(root);
    }
    constexpr qsizetype completionAt = ncp::kReplyTcpHeader + 6;
    emit answered(creating_ && replyFrame.size() > completionAt && replyFrame[completionAt] == 0);
    if (close) {
        ending_ = true;
        socket_->disconnectFromHost(); // after the reply has gone out
        return;
    }
    dispatchNext();
}

void ServerSession::sendStillWorking()
{
    // Echoes the request's sequence, connection and task, as its reply will.
    ncp::WireReader in(current_);
    in.skip(2);
    ncp::Reply still;
    still.type = ncp::kStillWorking;
    still.sequence = in.u8();
    const std::uint8_t low = in.u8();
    still.task = in.u8();
    const std::uint8_t high = in.u8();
    still.connection = std::uint16_t(high << 8 | low);
    if (in.ok())
        socket_->write(outgoing(ncp::encodeReply(still)));
}

void ServerSession::drop(const QByteArray& why)
{
    if (told_)
        return;
    dropReason_ = why;
    finish();
    socket_->abort();
}

void ServerSession::finish()
{
    ending_ = true;
    stillWorking_.stop();
    if (told_)
        return;
    told_ = true;
    emit ended(this);
}

} // namespace ncpd
