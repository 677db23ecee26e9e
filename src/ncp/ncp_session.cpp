#include "ncp/ncp_session.h"

#include <QDeadlineTimer>
#include <QTcpSocket>

namespace ncp {
namespace {

int millis(const QDeadlineTimer& deadline)
{
    const qint64 left = deadline.remainingTime();
    return left < 0 ? 0 : int(std::min<qint64>(left, 1 << 30));
}

} // namespace

NcpSession::NcpSession(QString host, std::uint16_t port, SessionOptions options)
    : host_(std::move(host)), port_(port), options_(options),
      frames_(FrameAssembler::Direction::Replies,
              std::uint32_t(kReplyTcpHeader) + options.replyLimit)
{
}

NcpSession::~NcpSession()
{
    close();
}

bool NcpSession::open()
{
    abort(QString());
    error_.clear();
    socket_ = std::make_unique<QTcpSocket>();
    socket_->connectToHost(host_, port_);
    if (!socket_->waitForConnected(int(options_.timeout.count()))) {
        fail(QStringLiteral("cannot connect to %1:%2: %3")
                 .arg(host_)
                 .arg(port_)
                 .arg(socket_->errorString()));
        return false;
    }
    // Requests and replies are small and strictly one after the other.
    socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    frames_ = FrameAssembler(FrameAssembler::Direction::Replies,
                             std::uint32_t(kReplyTcpHeader) + options_.replyLimit);
    open_ = true;
    Request create;
    create.type = kCreateConnection;
    create.sequence = 0;
    create.connection = kNoConnection;
    const auto reply = exchange(create, true);
    if (!reply)
        return false;
    if (reply->completion != 0) {
        fail(QStringLiteral("the server refused a connection (completion 0x%1)")
                 .arg(reply->completion, 2, 16, QLatin1Char('0')));
        return false;
    }
    connection_ = reply->connection;
    sequence_ = 1;
    return true;
}

void NcpSession::close()
{
    if (!open_ || !socket_)
        return;
    Request destroy;
    destroy.type = kDestroyConnection;
    destroy.sequence = sequence_;
    destroy.connection = connection_;
    // The server answers the destroy before it lets the connection go: wait a
    // moment for that answer, so that the logout is whole on the wire. A server
    // that does not answer only delays the close; it is no error of the session.
    const SessionOptions saved = options_;
    const QString error = error_;
    options_.timeout = std::min(options_.timeout, std::chrono::milliseconds(1000));
    exchange(destroy, false);
    options_ = saved;
    error_ = error;
    if (socket_)
        socket_->disconnectFromHost();
    open_ = false;
    socket_.reset();
}

void NcpSession::abort(const QString& why)
{
    if (!why.isEmpty())
        error_ = why;
    open_ = false;
    if (socket_) {
        socket_->abort();
        socket_.reset();
    }
}

std::optional<Reply> NcpSession::fail(const QString& why)
{
    abort(why);
    return std::nullopt;
}

std::optional<Reply> NcpSession::call(std::uint8_t function, std::uint8_t subfunction,
                                      const QByteArray& data)
{
    if (!open_)
        return fail(error_.isEmpty() ? QStringLiteral("no session") : error_);
    Request request;
    request.sequence = sequence_;
    request.connection = connection_;
    request.function = function;
    request.subfunction = subfunction;
    request.data = data;
    sequence_ = std::uint8_t(sequence_ + 1);
    return exchange(request, false);
}

std::optional<Reply> NcpSession::exchange(const Request& sent, bool creating)
{
    Request request = sent;
    request.replyLimit = options_.replyLimit;
    const QByteArray frame = encodeRequest(request);
    QDeadlineTimer deadline(options_.timeout);
    if (socket_->write(frame) != frame.size())
        return fail(QStringLiteral("cannot send: %1").arg(socket_->errorString()));
    while (socket_->bytesToWrite() > 0)
        if (!socket_->waitForBytesWritten(millis(deadline)))
            return fail(QStringLiteral("cannot send: %1").arg(socket_->errorString()));
    for (;;) {
        while (const auto next = frames_.next()) {
            const auto reply = decodeReply(next->ncp);
            if (!reply)
                return fail(QStringLiteral("a reply that does not decode"));
            if (reply->sequence != request.sequence)
                return fail(QStringLiteral("a reply for sequence %1 to request %2")
                                .arg(reply->sequence)
                                .arg(request.sequence));
            if (!creating && reply->connection != connection_)
                return fail(QStringLiteral("a reply for connection %1 on connection %2")
                                .arg(reply->connection)
                                .arg(connection_));
            if (reply->type == kStillWorking) {
                // The server is busy with it: the wait starts again.
                deadline = QDeadlineTimer(options_.timeout);
                continue;
            }
            if (reply->connectionStatus & kStatusBadConnection)
                return fail(QStringLiteral("the server reports the connection bad"));
            return reply;
        }
        if (frames_.failed())
            return fail(QStringLiteral("broken reply stream: %1")
                            .arg(QString::fromLatin1(frames_.error())));
        if (deadline.hasExpired())
            return fail(QStringLiteral("no reply within %1 ms").arg(options_.timeout.count()));
        if (socket_->bytesAvailable() == 0 && !socket_->waitForReadyRead(millis(deadline))) {
            if (socket_->state() != QAbstractSocket::ConnectedState)
                return fail(QStringLiteral("the server closed the connection"));
            return fail(QStringLiteral("no reply within %1 ms").arg(options_.timeout.count()));
        }
        frames_.feed(socket_->readAll());
    }
}

} // namespace ncp
