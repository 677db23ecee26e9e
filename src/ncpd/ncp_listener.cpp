// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd/ncp_listener.h"

#include "ncpd/busy_answer.h"
#include "ncpd/session_table.h"
#include "netware/sim_state_reader.h"

#include <QTcpSocket>

namespace ncpd {

NcpListener::NcpListener(QString statePath, QObject* parent)
    : QObject(parent), statePath_(std::move(statePath))
{
    connect(&server_, &QTcpServer::newConnection, this, &NcpListener::acceptPending);
}

NcpListener::~NcpListener()
{
    server_.close();
    sessions_.reset(); // ends the sessions before the server goes
}

bool NcpListener::listen(const QHostAddress& address, quint16 port, QString* error)
{
    const nw::SimLoadResult loaded = nw::loadSimState(statePath_);
    if (!loaded.state) {
        *error = loaded.error;
        return false;
    }
    if (!server_.listen(address, port)) {
        *error = QStringLiteral("cannot listen on %1:%2: %3")
                     .arg(address.toString())
                     .arg(port)
                     .arg(server_.errorString());
        return false;
    }
    const SessionLimits limits{handshake_, std::chrono::seconds(loaded.state->watchdogSeconds)};
    sessions_ = std::make_unique<SessionTable>(loaded.state->server, statePath_, limits);
    connect(sessions_.get(), &SessionTable::sessionEnded, this, &NcpListener::sessionEnded);
    return true;
}

std::size_t NcpListener::sessionCount() const
{
    return sessions_ ? sessions_->size() : 0;
}

void NcpListener::acceptPending()
{
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        // Requests and replies are small and strictly one after the other.
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        if (sessions_ && sessions_->size() < kMaxSessions) {
            sessions_->add(socket);
        } else if (sessions_ && busyAnswers_ < kMaxBusyAnswers) {
            ++busyAnswers_;
            auto* busy = new BusyAnswer(socket, handshake_, this);
            connect(busy, &QObject::destroyed, this, [this] { --busyAnswers_; });
        } else {
            socket->abort();
            socket->deleteLater();
        }
    }
}

} // namespace ncpd
