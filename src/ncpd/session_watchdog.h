// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Keeps idle clients from holding the server's sessions: a connection that has
// not sent its create request within the handshake time is closed (or one whose
// create was refused and sent no other within that time), and so is a session
// that sends no request for the server's watchdog time (a real server probes
// such a station, then drops it).

#include <QObject>
#include <QTimer>

#include <chrono>

namespace ncpd {

class ServerSession;

struct SessionLimits
{
    std::chrono::milliseconds handshake{10'000};
    std::chrono::milliseconds idle{300'000}; // the state's "watchdogSeconds"
};

class SessionWatchdog : public QObject
{
    Q_OBJECT
public:
    // Watches the session from now on; goes with it.
    SessionWatchdog(ServerSession& session, const SessionLimits& limits);

private:
    void onStarted(bool create);
    void onAnswered(bool created);

    ServerSession& session_;
    QTimer handshake_;
    QTimer idle_;
    bool created_ = false;
};

} // namespace ncpd
