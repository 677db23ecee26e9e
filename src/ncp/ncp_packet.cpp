// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncp/ncp_packet.h"

#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"

namespace ncp {

SubfunctionForm subfunctionForm(std::uint8_t function)
{
    switch (function) {
    case 0x15:
    case 0x16:
    case 0x17:
    case 0x7B:
        return SubfunctionForm::LengthWord;
    case 0x20:
    case 0x22:
    case 0x56:
    case 0x57:
    case 0x58:
    case 0x59:
    case 0x5C:
    case 0x5E:
    case 0x68:
    case 0x6F:
    case 0x80:
        return SubfunctionForm::Plain;
    default:
        return SubfunctionForm::None;
    }
}

QByteArray encodeRequest(const Request& request)
{
    WireWriter ncp;
    ncp.u16be(request.type)
        .u8(request.sequence)
        .u8(std::uint8_t(request.connection))
        .u8(request.task)
        .u8(std::uint8_t(request.connection >> 8))
        .u8(request.function);
    if (request.type == kRequest) {
        switch (subfunctionForm(request.function)) {
        case SubfunctionForm::LengthWord:
            ncp.u16be(std::uint16_t(1 + request.data.size())).u8(request.subfunction);
            break;
        case SubfunctionForm::Plain:
            ncp.u8(request.subfunction);
            break;
        case SubfunctionForm::None:
            break;
        }
        ncp.bytes(request.data);
    }
    WireWriter frame;
    frame.u32be(kRequestSignature)
        .u32be(std::uint32_t(kRequestTcpHeader + ncp.size()))
        .u32be(kTcpVersion)
        .u32be(request.replyLimit)
        .bytes(ncp.data());
    return frame.take();
}

QByteArray encodeReply(const Reply& reply)
{
    WireWriter frame;
    frame.u32be(kReplySignature)
        .u32be(std::uint32_t(kReplyTcpHeader + kReplyHeader + std::size_t(reply.data.size())))
        .u16be(reply.type)
        .u8(reply.sequence)
        .u8(std::uint8_t(reply.connection))
        .u8(reply.task)
        .u8(std::uint8_t(reply.connection >> 8))
        .u8(reply.completion)
        .u8(reply.connectionStatus)
        .bytes(reply.data);
    return frame.take();
}

std::optional<Request> decodeRequest(const QByteArray& ncp, std::uint32_t replyLimit)
{
    WireReader in(ncp);
    Request r;
    r.replyLimit = replyLimit;
    r.type = in.u16be();
    r.sequence = in.u8();
    const std::uint8_t low = in.u8();
    r.task = in.u8();
    const std::uint8_t high = in.u8();
    r.connection = std::uint16_t(high << 8 | low);
    if (r.type != kCreateConnection && r.type != kRequest && r.type != kDestroyConnection)
        return std::nullopt;
    // Create and destroy carry a function byte (0) and nothing the server reads.
    r.function = in.u8();
    if (!in.ok())
        return std::nullopt;
    if (r.type != kRequest)
        return r;
    switch (subfunctionForm(r.function)) {
    case SubfunctionForm::LengthWord: {
        const std::uint16_t length = in.u16be();
        r.subfunction = in.u8();
        if (!in.ok() || length == 0 || std::size_t(length) != in.remaining() + 1)
            return std::nullopt;
        break;
    }
    case SubfunctionForm::Plain:
        r.subfunction = in.u8();
        if (!in.ok())
            return std::nullopt;
        break;
    case SubfunctionForm::None:
        break;
    }
    r.data = in.byteArray(in.remaining());
    return r;
}

std::optional<Reply> decodeReply(const QByteArray& ncp)
{
    WireReader in(ncp);
    Reply r;
    r.type = in.u16be();
    r.sequence = in.u8();
    const std::uint8_t low = in.u8();
    r.task = in.u8();
    const std::uint8_t high = in.u8();
    r.connection = std::uint16_t(high << 8 | low);
    if (r.type == kStillWorking || r.type == kServerBroadcast) {
        // These carry only what they have; nothing in them is read.
        if (!in.ok())
            return std::nullopt;
        return r;
    }
    r.completion = in.u8();
    r.connectionStatus = in.u8();
    if (!in.ok() || r.type != kReply)
        return std::nullopt;
    r.data = in.byteArray(in.remaining());
    return r;
}

} // namespace ncp
