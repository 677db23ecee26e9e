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
    const std::uint8_t count = readHandleHead(in, r.path);
    if (r.path.flag != kHandleFlagHandle && r.path.flag != kHandleFlagBase &&
        r.path.flag != kHandleFlagNone)
        in.fail();
    // What a component may hold is the look-up's to judge (volume_paths.h).
    readHandleNames(in, r.path, count);
    return consumedExactly(in) ? std::optional(r) : std::nullopt;
}

} // namespace ncpd
