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
    // A request being answered is no silence, however long it takes.
    connect(&session_, &ServerSession::requestStarted, &idle_, &QTimer::stop);
    connect(&session_, &ServerSession::answered, this, &SessionWatchdog::onAnswered);
    handshake_.start(limits.handshake);
}

void SessionWatchdog::onAnswered(bool created)
{
    if (created && !created_) {
        created_ = true;
        handshake_.stop();
    }
    if (created_)
        idle_.start();
}

} // namespace ncpd
