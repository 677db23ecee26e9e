// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd/busy_answer.h"

#include "ncp/ncp_packet.h"

#include <QTcpSocket>

namespace ncpd {

namespace {
// A create request is a header and nothing else.
constexpr std::uint32_t kLargestCreate = 64;
} // namespace

BusyAnswer::BusyAnswer(QTcpSocket* socket, std::chrono::milliseconds handshake, QObject* parent)
    : QObject(parent), socket_(socket),
      frames_(ncp::FrameAssembler::Direction::Requests, kLargestCreate)
{
    socket_->setParent(this);
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, [this] {
        socket_->abort();
        close();
    });
    connect(socket_, &QTcpSocket::readyRead, this, &BusyAnswer::readRequest);
    connect(socket_, &QTcpSocket::disconnected, this, &BusyAnswer::close);
    connect(socket_, &QTcpSocket::errorOccurred, this, &BusyAnswer::close);
    deadline_.start(handshake);
    QMetaObject::invokeMethod(this, &BusyAnswer::readRequest, Qt::QueuedConnection);
}

void BusyAnswer::readRequest()
{
    if (closing_)
        return;
    frames_.feed(socket_->readAll());
    const auto frame = frames_.next();
    if (!frame) {
        if (frames_.failed()) {
            socket_->abort();
            close();
        }
        return;
    }
    const auto request = ncp::decodeRequest(frame->ncp, frame->replyLimit);
    if (!request || request->type != ncp::kCreateConnection) {
        socket_->abort();
        close();
        return;
    }
    ncp::Reply busy;
    busy.sequence = request->sequence;
    busy.connection = request->connection;
    busy.task = request->task;
    busy.completion = kNoFreeSlots;
    socket_->write(ncp::encodeReply(busy));
    closing_ = true;
    socket_->disconnectFromHost(); // once the answer has gone out
}

void BusyAnswer::close()
{
    closing_ = true;
    deadline_.stop();
    deleteLater();
}

} // namespace ncpd
