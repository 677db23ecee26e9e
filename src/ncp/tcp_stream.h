// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A blocking TCP connection for a strict request and reply protocol. Every
// wait has a deadline and none runs an event loop. Nothing is buffered or
// signalled behind the caller's back: a QTcpSocket wakes its thread's event
// dispatcher on each read and write, which cost nearly as much as the round
// trip itself on loopback.

#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>

#include <cstdint>

namespace ncp {

class TcpStream
{
public:
    enum class Received
    {
        Data,
        TimedOut,
        Closed,
        Failed
    };

    TcpStream() = default;
    ~TcpStream();
    TcpStream(const TcpStream&) = delete;
    TcpStream& operator=(const TcpStream&) = delete;

    // Resolves the host and connects to the first of its addresses that
    // answers before the deadline; small writes go out at once (no Nagle).
    bool connect(const QString& host, std::uint16_t port, QDeadlineTimer deadline);
    bool isOpen() const { return fd_ >= 0; }
    void close();

    // Writes every byte, waiting until the deadline for room.
    bool sendAll(const QByteArray& bytes, QDeadlineTimer deadline);
    // Appends what has arrived, waiting until the deadline for at least one byte.
    Received receive(QByteArray& into, QDeadlineTimer deadline);

    // Why the last call failed.
    const QString& error() const { return error_; }

private:
    enum class Ready
    {
        Yes,
        TimedOut,
        Failed
    };
    Ready waitFor(short events, QDeadlineTimer deadline);
    bool fail(const QString& why);

    int fd_ = -1;
    QString error_;
};

} // namespace ncp
