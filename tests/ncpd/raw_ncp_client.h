// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A bare NCP client for driving quorvex-ncpd in tests: frames built with
// ncp::encodeRequest over a real loopback socket, replies cut with the
// FrameAssembler. Waits run the event loop, so a server in the same thread
// keeps working.

#include "ncp/frame_assembler.h"
#include "ncp/ncp_packet.h"

#include <QByteArray>
#include <QTcpSocket>

#include <cstdint>
#include <optional>

class RawNcpClient
{
public:
    bool connectTo(quint16 port, int timeoutMs = 5000);
    void sendBytes(const QByteArray& bytes);

    // The next reply that is not "still working" (counted in stillWorking()).
    std::optional<ncp::Reply> nextReply(int timeoutMs = 5000);
    // The next reply of any type, still working included.
    std::optional<ncp::Reply> nextFrame(int timeoutMs = 5000);

    // Sends a request with the next sequence and waits for its reply.
    std::optional<ncp::Reply> request(std::uint8_t function, std::uint8_t subfunction,
                                      const QByteArray& data, int timeoutMs = 5000);
    std::optional<ncp::Reply> create();
    // 23/23, 23/53 and 23/24 with this password; the 23/24 reply.
    std::optional<ncp::Reply> login(const QByteArray& user, const QByteArray& password);
    // create + login; false when either fails.
    bool open(quint16 port, const QByteArray& user, const QByteArray& password = QByteArray());

    // True once the server has closed the socket.
    bool waitClosed(int timeoutMs = 5000);
    int stillWorking() const { return stillWorking_; }
    std::uint16_t connection() const { return connection_; }
    std::uint8_t nextSequence() const { return sequence_; }

private:
    QTcpSocket socket_;
    ncp::FrameAssembler frames_{ncp::FrameAssembler::Direction::Replies, 8 + 4096};
    std::uint8_t sequence_ = 0;
    std::uint16_t connection_ = ncp::kNoConnection;
    int stillWorking_ = 0;
};
