#pragma once

// The NCP server of one simulated server's state file: accepts TCP sessions on
// one address and serves each from the state, on a single-threaded event loop
// (each session's blocking calls run on that session's own thread).

#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QTcpServer>

#include <cstddef>
#include <memory>

namespace ncpd {

class SessionTable;

class NcpListener : public QObject
{
    Q_OBJECT
public:
    // Each session holds a thread: beyond this many, new clients are turned away.
    static constexpr std::size_t kMaxSessions = 256;

    explicit NcpListener(QString statePath, QObject* parent = nullptr);
    ~NcpListener() override;

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
};

} // namespace ncpd
