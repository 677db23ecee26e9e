// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncp/ncp_session.h"

#include "ncp/negotiation.h"

#include <QDeadlineTimer>

namespace ncp {
namespace {

// The largest reply frame: the reply limit counts the NCP packet; the TCP
// header comes on top (and, once signing has started, the signature).
std::uint32_t maxReplyFrame(const SessionOptions& options)
{
    return std::uint32_t(kReplyTcpHeader) + options.replyLimit;
}

} // namespace

NcpSession::NcpSession(QString host, std::uint16_t port, SessionOptions options)
    : host_(std::move(host)), port_(port), options_(options),
      frames_(FrameAssembler::Direction::Replies, maxReplyFrame(options))
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
    if (!socket_.connect(host_, port_, QDeadlineTimer(options_.timeout))) {
        fail(QStringLiteral("cannot connect to %1:%2: %3")
                 .arg(host_)
                 .arg(port_)
                 .arg(socket_.error()));
        return false;
    }
    frames_ = FrameAssembler(FrameAssembler::Direction::Replies, maxReplyFrame(options_));
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
    signingWanted_ = false;
    frames_signed_.reset();
    refusedForSigning_ = false;
    return negotiate();
}

bool NcpSession::negotiate()
{
    // As clients do right after the create: the large-packet size with the
    // security flags, and on a server that does not know it the older buffer
    // size. A server that answers neither is taken at the smallest size every
    // server has. This client does not ask to sign; it signs when the server
    // answers that it wants to (signature level 2 or 3). One that may not
    // sign asks once more without, which a server at level 2 accepts.
    constexpr std::uint16_t kSmallest = 512;
    const auto proposed = std::uint16_t(std::min<std::uint32_t>(options_.replyLimit, 0xFFFF));
    negotiatedSize_ = kSmallest;
    bool bigPacketKnown = true;
    for (int attempt = 0; attempt < 2 && bigPacketKnown; ++attempt) {
        const auto big = call(kFnBigPacket, 0, negotiationRequest(proposed, true));
        if (!big)
            return false;
        bigPacketKnown = big->completion == 0;
        if (!bigPacketKnown)
            break;
        const auto answer = decodeBigPacketReply(big->data, proposed);
        if (answer)
            negotiatedSize_ = answer->size;
        if (!answer || !(answer->securityFlags & kSecuritySigning))
            return true;
        if (options_.mayStartSigning) {
            signingWanted_ = true;
            return true;
        }
    }
    if (bigPacketKnown) {
        refusedForSigning_ = true;
        abort(QStringLiteral("the server requires packet signing (signature level 3), which "
                             "this client does not do"));
        return false;
    }
    const auto buffer = call(kFnNegotiateBuffer, 0, negotiationRequest(proposed, false));
    if (!buffer)
        return false;
    if (buffer->completion == 0)
        if (const auto size = decodeBufferSizeReply(buffer->data, proposed))
            negotiatedSize_ = *size;
    return true;
}

void NcpSession::startSigning(const SignRoot& root)
{
    frames_signed_ = std::make_unique<SignedFrames>(root);
    frames_.setMaxFrame(maxReplyFrame(options_) + 8);
}

void NcpSession::close()
{
    if (!open_ || !socket_.isOpen()) {
        socket_.close();
        return;
    }
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
    socket_.close();
    open_ = false;
}

void NcpSession::abort(const QString& why)
{
    if (!why.isEmpty())
        error_ = why;
    open_ = false;
    socket_.close();
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
    QByteArray frame = encodeRequest(request);
    if (frames_signed_)
        frame = frames_signed_->signRequest(frame);
    QDeadlineTimer deadline(options_.timeout);
    ++requestsSent_;
    if (!socket_.sendAll(frame, deadline))
        return fail(QStringLiteral("cannot send: %1").arg(socket_.error()));
    for (;;) {
        while (const auto next = frames_.next()) {
            bool signatureHolds = true;
            const auto packet = frames_signed_
                                    ? frames_signed_->openReply(next->ncp, &signatureHolds)
                                    : std::optional<QByteArray>(next->ncp);
            auto reply = packet ? decodeReply(*packet) : std::nullopt;
            if (!reply)
                return fail(QStringLiteral("a reply that does not decode"));
            // The server may tell the station something between replies; it
            // is no answer to this request, and nothing here acts on it.
            if (reply->type == kServerBroadcast)
                continue;
            if (reply->sequence != request.sequence)
                return fail(QStringLiteral("a reply for sequence %1 to request %2")
                                .arg(reply->sequence)
                                .arg(request.sequence));
            if (!creating && reply->connection != connection_)
                return fail(QStringLiteral("a reply for connection %1 on connection %2")
                                .arg(reply->connection)
                                .arg(connection_));
            if (!signatureHolds) {
                // Never trusted: not as a reply, not as news that the
                // server is still busy. This call fails; the chain of
                // signatures is the requests', so the session goes on.
                Reply refused;
                refused.sequence = reply->sequence;
                refused.connection = reply->connection;
                refused.completion = 0xFF;
                refused.signatureRefused = true;
                return refused;
            }
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
        QByteArray arrived;
        switch (socket_.receive(arrived, deadline)) {
        case TcpStream::Received::Data:
            frames_.feed(arrived);
            break;
        case TcpStream::Received::Closed:
            return fail(QStringLiteral("the server closed the connection"));
        case TcpStream::Received::TimedOut:
            return fail(QStringLiteral("no reply within %1 ms").arg(options_.timeout.count()));
        case TcpStream::Received::Failed:
            return fail(QStringLiteral("cannot receive: %1").arg(socket_.error()));
        }
    }
}

} // namespace ncp
