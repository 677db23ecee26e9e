// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncp/open_file_requests.h"

#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"

namespace ncp {

RequestBody openFilesRequest(std::uint16_t connection, std::uint16_t lastRecord)
{
    WireWriter w;
    w.u16le(connection).u16le(lastRecord);
    return {0x17, 235, w.take()};
}

std::optional<OpenFilesAnswer> decodeOpenFiles(const QByteArray& data)
{
    WireReader in(data);
    OpenFilesAnswer a;
    a.nextRecord = in.u16le();
    a.count = in.u16le();
    if (!in.ok())
        return std::nullopt;
    // The records are checked where they are taken.
    a.records = data.mid(4);
    return a;
}

RequestBody fullPathRequest(std::uint8_t nameSpace, std::uint8_t volume,
                            std::uint32_t directoryBase, const PathCookies& cookies)
{
    WireWriter w;
    w.u8(nameSpace)
        .u8(nameSpace)
        .u16le(cookies.flags)
        .u32le(cookies.cookie1)
        .u32le(cookies.cookie2)
        .u8(volume)
        .u32le(directoryBase)
        .u8(1)  // handle flag: a directory base
        .u8(0); // no components: the entry itself
    return {0x57, 28, w.take()};
}

std::optional<FullPathAnswer> decodeFullPath(const QByteArray& data)
{
    WireReader in(data);
    FullPathAnswer a;
    a.cookies.flags = in.u16le();
    a.cookies.cookie1 = in.u32le();
    a.cookies.cookie2 = in.u32le();
    const std::uint16_t size = in.u16le();
    const std::uint16_t count = in.u16le();
    const std::size_t start = in.position();
    for (std::uint16_t i = 0; i < count && in.ok(); ++i) {
        QByteArray component = in.lengthPrefixed();
        if (component.isEmpty() || component.contains('\0') || component.contains('\\') ||
            component.contains(':'))
            in.fail();
        a.components.append(std::move(component));
    }
    if (!in.ok() || !in.atEnd() || in.position() - start != size)
        return std::nullopt;
    return a;
}

} // namespace ncp
