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

#include "ncp/frame_assembler.h"
#include "ncp/ncp_packet.h"
#include "ncp/tcp_stream.h"

#include <QByteArray>
#include <QString>

#include <chrono>
#include <cstdint>
#include <optional>

namespace ncp {

inline constexpr std::uint32_t kReplyLimit = 4096;

struct SessionOptions
{
    std::chrono::milliseconds timeout{10000};
    std::uint32_t replyLimit = kReplyLimit;
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
    // why). A reply comes back whatever its completion code.
    std::optional<Reply> call(std::uint8_t function, std::uint8_t subfunction,
                              const QByteArray& data);

    std::uint16_t connectionNumber() const { return connection_; }
    // The largest packet the server accepted when the session was set up
    // (NCP 97, or NCP 33 on a server without it).
    std::uint16_t negotiatedSize() const { return negotiatedSize_; }
    std::uint8_t nextSequence() const { return sequence_; }
    // Requests sent on this session, create and destroy included.
    std::uint64_t requestsSent() const { return requestsSent_; }
    const QString& error() const { return error_; }

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
};

} // namespace ncp
