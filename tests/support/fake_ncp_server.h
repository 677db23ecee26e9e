// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A scripted NCP server on a loopback port for client tests. Each accepted
// connection runs the script in the server's own thread (the client under test
// blocks on its socket in the test's thread). Scripts must not use QVERIFY:
// they record what they saw, and the test checks requests() after wait().

#include "ncp/frame_assembler.h"
#include "ncp/ncp_packet.h"
#include "ncpauth/signed_frames.h"

#include <QByteArray>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace quorvex {

class FakeNcpPeer
{
public:
    explicit FakeNcpPeer(int fd) : fd_(fd) {}

    // The next request; nullopt when the client closed the connection, sent
    // nothing within timeoutMs, or sent a broken frame.
    std::optional<ncp::Request> receive(int timeoutMs = 5000);
    void sendRaw(const QByteArray& bytes);
    // A reply to the request, with its sequence and connection unless changed.
    void reply(const ncp::Request& to, std::uint8_t completion, const QByteArray& data = {},
               std::uint8_t status = 0);
    void stillWorking(const ncp::Request& to);
    // Answers a create with this connection number, then the buffer
    // negotiation that follows it (NCP 97, 4096 bytes, no signing).
    bool acceptCreate(std::uint16_t connection = 5);
    // Answers 23/17 with a version reply of that major version.
    bool answerVersion(int major = 4);
    // Create and version: a session without login, ready for requests.
    bool setUp(std::uint16_t connection = 5, int major = 4);
    // Answers NCP 97 saying that packets are signed (instead of acceptCreate's).
    bool acceptCreateSigned(std::uint16_t connection = 5);
    // From now on requests come signed (a bad signature ends receive()) and
    // replies go signed; spoil: the next reply's signature is wrong.
    void startSigning(const ncp::SignRoot& root);
    void spoilNextSignature() { spoil_ = true; }

    std::vector<ncp::Request> log; // every request received, in order, but the negotiation

private:
    void send(const QByteArray& frame);
    // The create, then NCP 97 answered with these security flags.
    bool acceptCreateWith(std::uint16_t connection, std::uint8_t securityFlags);

    int fd_;
    ncp::FrameAssembler frames_{ncp::FrameAssembler::Direction::Requests, 65536};
    std::unique_ptr<ncp::SignedFrames> signed_;
    bool spoil_ = false;
};

class FakeNcpServer
{
public:
    using Script = std::function<void(FakeNcpPeer& peer, int session)>;
    // Listens on 127.0.0.1 at a free port and accepts up to `sessions`
    // connections one after the other.
    explicit FakeNcpServer(Script script, int sessions = 1);
    ~FakeNcpServer();

    std::uint16_t port() const { return port_; }
    // Waits until the scripts have run; then the requests of every session.
    void wait();
    std::vector<std::vector<ncp::Request>> requests();
    int sessionsAccepted() const { return accepted_; }

private:
    void run(Script script, int sessions);

    int listenFd_ = -1;
    std::uint16_t port_ = 0;
    std::atomic<int> accepted_{0};
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<std::vector<ncp::Request>> requests_;
    std::thread thread_;
};

// A version reply's data: the server name and the major version.
QByteArray versionReplyData(int major, const QByteArray& name = "FS1");

} // namespace quorvex
