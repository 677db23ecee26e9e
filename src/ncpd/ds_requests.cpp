#include "ncpd/ds_requests.h"

#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"

namespace ncpd {
namespace {

// Parameters before the verb's own: flags, verb and reply buffer size.
constexpr std::uint32_t kMessageHeader = 12;

// u32 count and that many u32 values, the count checked against what is left.
std::vector<std::uint32_t> readList(ncp::WireReader& in)
{
    const std::uint32_t count = in.u32le();
    if (!in.ok() || std::size_t(count) > in.remaining() / 4) {
        in.fail();
        return {};
    }
    std::vector<std::uint32_t> values(count);
    for (std::uint32_t& v : values)
        v = in.u32le();
    return values;
}

// Byte length (terminator included), UTF-16LE with its terminator, padded to 4.
QString readUtf16(ncp::WireReader& in)
{
    const std::uint32_t length = in.u32le();
    if (!in.ok() || length < 2 || length % 2 != 0 || length > in.remaining()) {
        in.fail();
        return QString();
    }
    const auto bytes = in.bytes(length);
    in.skip((4 - length % 4) % 4);
    if (bytes[length - 1] != 0 || bytes[length - 2] != 0) {
        in.fail();
        return QString();
    }
    QString text;
    for (std::size_t i = 0; i + 2 < length; i += 2)
        text.append(QChar(char16_t(bytes[i] | bytes[i + 1] << 8)));
    if (text.contains(QChar(0)))
        in.fail();
    return text;
}

} // namespace

std::optional<DsRequest> decodeDsRequest(const QByteArray& data)
{
    ncp::WireReader in(data);
    DsRequest r;
    r.fragmentHandle = in.u32le();
    r.maxFragmentSize = in.u32le();
    const std::uint32_t messageSize = in.u32le();
    r.flags = in.u32le();
    r.verb = in.u32le();
    r.replyBufferSize = in.u32le();
    // Continuation fragments are not taken: the message must start and end here.
    if (!in.ok() || r.fragmentHandle != kNoFragmentHandle || messageSize < kMessageHeader ||
        messageSize - kMessageHeader > in.remaining())
        return std::nullopt;
    r.parameters = in.byteArray(messageSize - kMessageHeader);
    // Up to three bytes of padding may follow the message, nothing more.
    if (in.remaining() > 3)
        return std::nullopt;
    return r;
}

std::optional<ResolveNameRequest> decodeResolveName(const QByteArray& parameters)
{
    ncp::WireReader in(parameters);
    ResolveNameRequest r;
    r.version = in.u32le();
    r.flags = in.u32le();
    r.scope = in.u32le();
    r.name = readUtf16(in);
    r.transports = readList(in);
    r.treeWalkerTransports = readList(in);
    return in.ok() ? std::optional(r) : std::nullopt;
}

std::uint32_t ReadEntryNameRequest::objectId() const
{
    return std::uint32_t(entryId[0]) << 24 | std::uint32_t(entryId[1]) << 16 |
           std::uint32_t(entryId[2]) << 8 | entryId[3];
}

std::optional<ReadEntryNameRequest> decodeReadEntryName(const QByteArray& parameters)
{
    ncp::WireReader in(parameters);
    ReadEntryNameRequest r;
    r.version = in.u32le();
    r.requestFlags = in.u32le();
    r.infoFlags = in.u32le();
    const auto id = in.bytes(4);
    if (!in.ok())
        return std::nullopt;
    std::copy(id.begin(), id.end(), r.entryId.begin());
    return r;
}

QByteArray encodeDsReply(std::int32_t directoryError, const QByteArray& verbData)
{
    // The fragment length counts what follows it: next handle, error, data.
    ncp::WireWriter out;
    out.u32le(std::uint32_t(8 + verbData.size()))
        .u32le(kNoFragmentHandle)
        .u32le(std::uint32_t(directoryError))
        .bytes(verbData);
    return out.take();
}

QByteArray encodeResolveNameData(std::uint32_t objectId)
{
    ncp::WireWriter out;
    // The entry lives here: no referral records follow.
    out.u32le(kResolvedLocalEntry).u32be(objectId).u32le(0);
    return out.take();
}

QByteArray encodeReadEntryNameData(const QString& name)
{
    ncp::WireWriter out;
    const std::uint32_t length = std::uint32_t(name.size() + 1) * 2;
    out.u32le(length);
    for (const QChar c : name)
        out.u16le(c.unicode());
    out.u16le(0).zeros((4 - length % 4) % 4);
    return out.take();
}

} // namespace ncpd
