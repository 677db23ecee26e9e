// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One client's TCP session: cuts the stream into request frames, hands them
// one at a time to the session's worker thread, writes the replies, and sends
// "still working" (0x9999) every second while a request takes longer. A frame
// that does not hold together ends this session alone. Once a login has
// started signed packets, every request's signature is checked (one that does
// not hold ends the session) and every frame sent is signed.

#include "ncp/frame_assembler.h"
#include "ncpauth/signed_frames.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>

#include <cstdint>
#include <deque>
#include <memory>

class QTcpSocket;
class QThread;

namespace ncpd {

class DispatchWorker;
class SessionDispatcher;

class ServerSession : public QObject
{
    Q_OBJECT
public:
    // Largest request frame taken; anything larger ends the session.
    static constexpr std::uint32_t kMaxRequestFrame = 64 * 1024;
    // Requests a client may queue behind the one being handled.
    static constexpr std::size_t kMaxQueued = 64;
    static constexpr int kStillWorkingMs = 1000;
    // Replies a client has not read yet: past this, its next request waits
    // (and its queue fills up) instead of the server's memory growing.
    static constexpr qint64 kMaxUnsent = 256 * 1024;

    // Takes the socket; thread is a started thread the dispatcher runs on,
    // which the session quits when it ends (its owner waits for it).
    ServerSession(QTcpSocket* socket, std::unique_ptr<SessionDispatcher> dispatcher,
                  QThread* thread, QObject* parent = nullptr);
    ~ServerSession() override;

    // Why the session was dropped ("" while it runs or after a clean end).
    const QByteArray& dropReason() const { return dropReason_; }
    // Ends the session at once, unanswered, for the reason given.
    void drop(const QByteArray& why);

signals:
    // The session is over (client gone, destroy answered, or dropped).
    void ended(ServerSession* session);
    // A request goes to be answered (create: it is a create request); its
    // answer has gone out (created: a create request answered with success).
    void requestStarted(bool create);
    void answered(bool created);

private:
    void readFrames();
    void dispatchNext();
    void onAnswered(const QByteArray& replyFrame, bool close, const QByteArray& signRoot);
    // A frame to send, signed when signing has started.
    QByteArray outgoing(const QByteArray& frame) const;
    void sendStillWorking();
    void finish();

    struct Pending
    {
        QByteArray ncp;
        std::uint32_t replyLimit = 0;
    };

    QTcpSocket* socket_;
    QThread* thread_;
    DispatchWorker* worker_;
    ncp::FrameAssembler frames_;
    std::deque<Pending> queue_;
    bool busy_ = false;
    bool ending_ = false;
    bool told_ = false;     // ended() was emitted
    bool creating_ = false; // the request being answered is a create
    QByteArray current_;    // the NCP packet being handled
    QTimer stillWorking_;
    QByteArray dropReason_;
    std::unique_ptr<ncp::SignedFrames> signed_;
};

} // namespace ncpd
