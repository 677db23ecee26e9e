#include "ncpd/long_name_request.h"

#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"
#include "ncpd/request_text.h"

namespace ncpd {

std::optional<LongNameRequest> decodeLongName(const QByteArray& data)
{
    ncp::WireReader in(data);
    LongNameRequest r;
    r.sourceNameSpace = in.u8();
    r.destinationNameSpace = in.u8();
    r.searchAttributes = in.u16le();
    r.returnMask = in.u32le();
    r.volumeOrHandle = in.u8();
    r.directoryBase = in.u32le();
    r.handleFlag = in.u8();
    const std::uint8_t count = in.u8();
    if (r.handleFlag != kHandleFlagHandle && r.handleFlag != kHandleFlagBase &&
        r.handleFlag != kHandleFlagNone)
        in.fail();
    for (std::uint8_t i = 0; i < count && in.ok(); ++i) {
        QByteArray component = readText(in);
        // A component holding a separator would walk out of its place.
        if (component.isEmpty() || component.contains('\\') || component.contains('/') ||
            component.contains(':'))
            in.fail();
        r.components.push_back(std::move(component));
    }
    return consumedExactly(in) ? std::optional(r) : std::nullopt;
}

QByteArray encodeLongNameReply(const QByteArray& name, const EntryNumbers& numbers)
{
    // The fixed block carries what the return-mask bits ask for; of it only
    // the directory numbers are served, the rest stays zero.
    ncp::WireWriter out;
    out.zeros(48)
        .u32le(numbers.entry)
        .u32le(numbers.dosEntry)
        .u32le(numbers.volume)
        .zeros(16)
        .lengthPrefixed(name);
    return out.take();
}

} // namespace ncpd
