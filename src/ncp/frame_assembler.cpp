// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncp/frame_assembler.h"

#include "ncp/ncp_packet.h"
#include "ncp/wire_reader.h"

namespace ncp {

FrameAssembler::FrameAssembler(Direction direction, std::uint32_t maxFrame)
    : direction_(direction), maxFrame_(maxFrame)
{
}

void FrameAssembler::feed(const QByteArray& bytes)
{
    if (!failed())
        buffer_.append(bytes);
}

std::optional<FrameAssembler::Frame> FrameAssembler::next()
{
    const bool requests = direction_ == Direction::Requests;
    const std::size_t header = requests ? kRequestTcpHeader : kReplyTcpHeader;
    if (failed() || std::size_t(buffer_.size()) < header)
        return std::nullopt;

    WireReader in(buffer_);
    const std::uint32_t signature = in.u32be();
    const std::uint32_t length = in.u32be() & kLengthMask;
    if (signature != (requests ? kRequestSignature : kReplySignature)) {
        error_ = "bad signature";
        return std::nullopt;
    }
    // The smallest frame carries at least the NCP header's type and sequence.
    if (length < header + 6) {
        error_ = "frame shorter than its headers";
        return std::nullopt;
    }
    if (length > maxFrame_) {
        error_ = "frame larger than allowed";
        return std::nullopt;
    }
    Frame frame;
    if (requests) {
        if (in.u32be() != kTcpVersion) {
            error_ = "unknown version";
            return std::nullopt;
        }
        frame.replyLimit = in.u32be();
    }
    if (std::size_t(buffer_.size()) < length)
        return std::nullopt;
    frame.ncp = buffer_.mid(qsizetype(header), qsizetype(length - header));
    buffer_.remove(0, qsizetype(length));
    return frame;
}

} // namespace ncp
