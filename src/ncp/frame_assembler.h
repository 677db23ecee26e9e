// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Cuts the byte stream of one TCP session into NCP frames. Bytes arrive in any
// pieces; each complete frame is handed out without its TCP header. A frame
// whose signature, version or length is wrong poisons the stream: nothing
// after it can be trusted, so the session that carries it must end.

#include <QByteArray>

#include <cstdint>
#include <optional>

namespace ncp {

class FrameAssembler
{
public:
    enum class Direction
    {
        Requests,
        Replies
    };

    // maxFrame: the largest whole frame (TCP header included) accepted.
    FrameAssembler(Direction direction, std::uint32_t maxFrame);

    void setMaxFrame(std::uint32_t maxFrame) { maxFrame_ = maxFrame; }
    void feed(const QByteArray& bytes);

    struct Frame
    {
        QByteArray ncp;               // the NCP header and what follows it
        std::uint32_t replyLimit = 0; // requests: largest reply the client accepts
    };
    // The next complete frame, or nullopt when more bytes are needed or the
    // stream is broken (see failed()).
    std::optional<Frame> next();

    bool failed() const { return !error_.isEmpty(); }
    // What was wrong with the stream, in a few words.
    const QByteArray& error() const { return error_; }
    std::size_t buffered() const { return std::size_t(buffer_.size()); }

private:
    Direction direction_;
    std::uint32_t maxFrame_;
    QByteArray buffer_;
    QByteArray error_;
};

} // namespace ncp
