// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One NCP session over one TCP connection: create the connection, send
// requests one at a time with the sequence number increasing mod 256, wait for
// each reply (a "still working" answer restarts the wait), destroy on close.
//
// Calls block: each waits at most for its one request (the time-out, restarted
// by every "still working" answer), without running an event loop; the
// server's unsolicited broadcast frames (0xBBBB) are read and passed over.
// Anything that makes the stream untrustworthy ends the session: a broken
// frame, a reply for another sequence or connection, a time-out, the server
// reporting the connection bad. A reply that is well framed but does not fit
// its request is the caller's to refuse; the session goes on. The owner opens
// a new session after one has ended.
//
// Packet signing: the buffer negotiation (NCP 97) tells whether the server
// wants signed packets (it says so at signature level 2 or 3); the login then
// yields the root, and from startSigning() on every request is signed and
// every reply's signature checked. A reply whose signature does not hold is
// never trusted: that call fails (Reply::signatureRefused), it is counted,
// and the session goes on. A client that may not sign asks the server once
// more to go without; a server that insists (level 3) is refused.

#include "ncp/frame_assembler.h"
#include "ncp/ncp_packet.h"
#include "ncp/tcp_stream.h"
#include "ncpauth/signed_frames.h"

#include <QByteArray>
#include <QString>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>

namespace ncp {

class RandomSource;

inline constexpr std::uint32_t kReplyLimit = 4096;

struct SessionOptions
{
    std::chrono::milliseconds timeout{10000};
    std::uint32_t replyLimit = kReplyLimit;
    // False: this client does not sign, and refuses a server that requires it.
    bool mayStartSigning = true;
    // Where the login's random bytes come from (null: the system's).
    RandomSource* random = nullptr;
};

class NcpSession
{
public:
    NcpSession(QString host, std::uint16_t port, SessionOptions options = {});
    ~NcpSession();
    NcpSession(const NcpSession&) = delete;
    NcpSession& operator=(const NcpSession&) = delete;

    // Connects and creates the NCP connection. False (see error()) when it
    // cannot; the session stays closed.
    bool open();
    bool isOpen() const { return open_; }
    // Sends destroy and disconnects; nothing is waited for.
    void close();
    // Ends the session without a word to the server (the stream is not
    // trusted any more, or a reply did not make sense).
    void abort(const QString& why);

    // One request and its reply. nullopt: the session has ended (error() says
    // why). A reply comes back whatever its completion code; one whose
    // signature did not hold comes back empty, completion 0xFF and
    // signatureRefused set.
    std::optional<Reply> call(std::uint8_t function, std::uint8_t subfunction,
                              const QByteArray& data);

    // The server asked for signed packets and this client may sign: the
    // login should give a root to startSigning().
    bool signingWanted() const { return signingWanted_; }
    bool signing() const { return frames_signed_ != nullptr; }
    void startSigning(const SignRoot& root);
    // open() refused the server: it requires signed packets and this client
    // may not sign.
    bool refusedForSigning() const { return refusedForSigning_; }

    std::uint16_t connectionNumber() const { return connection_; }
    // The largest packet the server accepted when the session was set up
    // (NCP 97, or NCP 33 on a server without it).
    std::uint16_t negotiatedSize() const { return negotiatedSize_; }
    std::uint8_t nextSequence() const { return sequence_; }
    // Requests sent on this session, create and destroy included.
    std::uint64_t requestsSent() const { return requestsSent_; }
    const QString& error() const { return error_; }
    const SessionOptions& options() const { return options_; }

private:
    std::optional<Reply> exchange(const Request& request, bool creating);
    bool negotiate();
    std::optional<Reply> fail(const QString& why);

    QString host_;
    std::uint16_t port_;
    SessionOptions options_;
    TcpStream socket_;
    FrameAssembler frames_;
    bool open_ = false;
    std::uint16_t connection_ = kNoConnection;
    std::uint16_t negotiatedSize_ = 0;
    std::uint8_t sequence_ = 0;
    std::uint64_t requestsSent_ = 0;
    QString error_;
    bool signingWanted_ = false;
    std::unique_ptr<SignedFrames> frames_signed_;
    bool refusedForSigning_ = false;
};

} // namespace ncp
