// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd/session_watchdog.h"

#include "ncpd/server_session.h"

namespace ncpd {

SessionWatchdog::SessionWatchdog(ServerSession& session, const SessionLimits& limits)
    : QObject(&session), session_(session)
{
    handshake_.setSingleShot(true);
    idle_.setSingleShot(true);
    idle_.setInterval(limits.idle);
    connect(&handshake_, &QTimer::timeout, this,
            [this] { session_.drop("no create request within the handshake time"); });
    connect(&idle_, &QTimer::timeout, this,
            [this] { session_.drop("no request within the watchdog time"); });
    connect(&session_, &ServerSession::requestStarted, this, &SessionWatchdog::onStarted);
    connect(&session_, &ServerSession::answered, this, &SessionWatchdog::onAnswered);
    handshake_.setInterval(limits.handshake);
    handshake_.start();
}

void SessionWatchdog::onStarted(bool create)
{
    // A request being answered is no silence, however long it takes; a slow
    // server's create has come in time.
    idle_.stop();
    if (create)
        handshake_.stop();
}

void SessionWatchdog::onAnswered(bool created)
{
    created_ = created_ || created;
    if (created_)
        idle_.start();
    else if (!handshake_.isActive())
        handshake_.start(); // the create was refused: the client may try again in time
}

} // namespace ncpd
