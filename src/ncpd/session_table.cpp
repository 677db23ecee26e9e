// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd/session_table.h"

#include "ncpd/server_session.h"
#include "ncpd/session_dispatcher.h"

#include <QTcpSocket>
#include <QThread>

namespace ncpd {

SessionTable::SessionTable(QString serverName, QString statePath, SessionLimits limits,
                           QObject* parent)
    : QObject(parent), serverName_(std::move(serverName)), statePath_(std::move(statePath)),
      limits_(limits)
{
}

SessionTable::~SessionTable()
{
    for (ServerSession* session : sessions_)
        delete session; // quits its thread
    sessions_.clear();
    // Threads still inside a simulated call finish it before they stop.
    for (QThread* thread : findChildren<QThread*>(Qt::FindDirectChildrenOnly)) {
        thread->quit();
        thread->wait();
    }
}

void SessionTable::add(QTcpSocket* socket)
{
    auto* thread = new QThread(this);
    thread->setObjectName(QStringLiteral("ncpd session"));
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
    auto dispatcher =
        std::make_unique<SessionDispatcher>(serverName_, statePath_, entries_, numbers_);
    auto* session = new ServerSession(socket, std::move(dispatcher), thread, this);
    sessions_.insert(session);
    new SessionWatchdog(*session, limits_);
    connect(session, &ServerSession::ended, this, &SessionTable::remove);
}

void SessionTable::remove(ServerSession* session)
{
    if (sessions_.erase(session) == 0)
        return;
    const QByteArray reason = session->dropReason();
    session->deleteLater();
    emit sessionEnded(reason);
}

} // namespace ncpd
