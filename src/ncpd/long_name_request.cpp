// SPDX-License-Identifier: GPL-3.0-or-later
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
    // What a component may hold is the look-up's to judge (volume_paths.h).
    for (std::uint8_t i = 0; i < count && in.ok(); ++i)
        r.components.push_back(readText(in));
    return consumedExactly(in) ? std::optional(r) : std::nullopt;
}

} // namespace ncpd
