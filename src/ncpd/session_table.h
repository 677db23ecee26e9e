// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The sessions a server holds, each with the thread its dispatcher runs on.
// Ending the table ends every session and waits for calls still running.

#include "ncpd/connection_numbers.h"
#include "ncpd/entry_table.h"
#include "ncpd/session_watchdog.h"

#include <QObject>
#include <QString>

#include <cstddef>
#include <set>

class QTcpSocket;
class QThread;

namespace ncpd {

class ServerSession;

class SessionTable : public QObject
{
    Q_OBJECT
public:
    // Every session is held to the limits (see SessionWatchdog).
    SessionTable(QString serverName, QString statePath, SessionLimits limits = {},
                 QObject* parent = nullptr);
    ~SessionTable() override;

    // Starts serving a connected socket (taken over).
    void add(QTcpSocket* socket);
    std::size_t size() const { return sessions_.size(); }

signals:
    // A session ended; reason is empty for a client that left or destroyed
    // its connection, else why it was dropped.
    void sessionEnded(const QByteArray& reason);

private:
    void remove(ServerSession* session);

    QString serverName_;
    QString statePath_;
    SessionLimits limits_;
    EntryTable entries_;
    ConnectionNumbers numbers_;
    std::set<ServerSession*> sessions_;
};

} // namespace ncpd
