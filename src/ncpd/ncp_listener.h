// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The NCP server of one simulated server's state file: accepts TCP sessions on
// one address and serves each from the state, on a single-threaded event loop
// (each session's blocking calls run on that session's own thread).

#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QTcpServer>

#include <chrono>
#include <cstddef>
#include <memory>

namespace ncpd {

class SessionTable;

class NcpListener : public QObject
{
    Q_OBJECT
public:
    // Each session holds a thread: beyond this many, a new client's create
    // request is answered "no free connection slots".
    static constexpr std::size_t kMaxSessions = 256;
    // Clients waiting for that answer at one time; further ones are closed.
    static constexpr std::size_t kMaxBusyAnswers = 64;
    // How long a new client may take to complete its create request.
    static constexpr std::chrono::milliseconds kHandshakeTime{10'000};

    explicit NcpListener(QString statePath, QObject* parent = nullptr);
    ~NcpListener() override;

    // Before listen(): a handshake time other than kHandshakeTime.
    void setHandshakeTime(std::chrono::milliseconds time) { handshake_ = time; }

    // Reads the state file (its server name) and starts listening; port 0
    // picks a free one. False with *error when the state cannot be read or the
    // address is taken.
    bool listen(const QHostAddress& address, quint16 port, QString* error);
    QHostAddress address() const { return server_.serverAddress(); }
    quint16 port() const { return server_.serverPort(); }
    std::size_t sessionCount() const;

signals:
    void sessionEnded(const QByteArray& reason);

private:
    void acceptPending();

    QString statePath_;
    QTcpServer server_;
    std::unique_ptr<SessionTable> sessions_;
    std::chrono::milliseconds handshake_ = kHandshakeTime;
    std::size_t busyAnswers_ = 0;
};

} // namespace ncpd
