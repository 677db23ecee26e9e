// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Runs one session's dispatcher on a thread of its own, so that a simulated
// call that blocks (latencyMs) leaves the event loop free to send "still
// working" replies and to serve the other sessions.

#include "ncpd/session_dispatcher.h"

#include <QByteArray>
#include <QObject>

#include <memory>

namespace ncpd {

class DispatchWorker : public QObject
{
    Q_OBJECT
public:
    explicit DispatchWorker(std::unique_ptr<SessionDispatcher> dispatcher);
    ~DispatchWorker() override;

    // Call on the worker's thread (queued): handles one NCP packet and emits
    // answered() with the whole reply frame (empty when the session must end
    // unanswered).
    void handle(const QByteArray& ncpPacket, quint32 replyLimit);

    // The same, answered to the caller, for a request that needs no thread:
    // call only while no queued handle() is running. signRoot: the 8 bytes
    // of a login that starts signed packets after this reply, or empty.
    QByteArray answer(const QByteArray& ncpPacket, quint32 replyLimit, bool* close,
                      QByteArray* signRoot);
    bool answersAtOnce() { return dispatcher_->answersAtOnce(); }

signals:
    // close: the session ends once the frame is written. signRoot: as answer() gives it.
    void answered(const QByteArray& replyFrame, bool close, const QByteArray& signRoot);

private:
    std::unique_ptr<SessionDispatcher> dispatcher_;
};

} // namespace ncpd
