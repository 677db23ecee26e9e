// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A client that connects while every session is taken: its create request is
// answered with completion 0xF9 ("no free connection slots"), as a full server
// answers it, and the connection closed. A client that sends nothing else
// within the handshake time is closed unanswered.

#include "ncp/frame_assembler.h"

#include <QObject>
#include <QTimer>

#include <chrono>

class QTcpSocket;

namespace ncpd {

class BusyAnswer : public QObject
{
    Q_OBJECT
public:
    static constexpr std::uint8_t kNoFreeSlots = 0xF9;

    // Takes the socket; deletes itself once the connection is closed.
    BusyAnswer(QTcpSocket* socket, std::chrono::milliseconds handshake, QObject* parent = nullptr);

private:
    void readRequest();
    void close();

    QTcpSocket* socket_;
    ncp::FrameAssembler frames_;
    QTimer deadline_;
    bool closing_ = false;
};

} // namespace ncpd
