// Feeds arbitrary bytes through what the NCP server reads from a client: the
// frame assembler, the request header, and every request decoder, as if the
// bytes were the stream of one session and, after the first byte, the data of
// any request.

#include "ncp/frame_assembler.h"
#include "ncp/ncp_packet.h"
#include "ncpd/bindery_requests.h"
#include "ncpd/connection_requests.h"
#include "ncpd/directory_requests.h"
#include "ncpd/ds_requests.h"
#include "ncpd/file_use_requests.h"
#include "ncpd/listing_requests.h"
#include "ncpd/long_name_request.h"

#include <cstddef>
#include <cstdint>

namespace {

void decodeEvery(const QByteArray& data)
{
    (void)ncpd::decodePathToEntry(data);
    (void)ncpd::decodeConnsUsingFile(data);
    (void)ncpd::decodeClearFileLock(data);
    (void)ncpd::decodeClearLockSet(data);
    (void)ncpd::decodeConnectionNumber(data);
    (void)ncpd::decodeClearConnection(data);
    (void)ncpd::decodeBroadcast(data);
    (void)ncpd::decodeOldBroadcast(data);
    (void)ncpd::decodeClearConnectionOld(data);
    (void)ncpd::decodeReadProperty(data);
    (void)ncpd::decodeAllocDirHandle(data);
    (void)ncpd::decodeDirHandle(data);
    (void)ncpd::decodeVolumeNumber(data);
    (void)ncpd::decodeObjectTrusteePaths(data);
    (void)ncpd::decodeDirectoryTrustees(data);
    (void)ncpd::decodeExtendedInfo(data);
    (void)ncpd::decodeLongName(data);
    (void)ncpd::decodeObjectId(data);
    (void)ncpd::decodeKeyedLogin(data);
    (void)ncpd::decodeObjectName(data);
    if (const auto ds = ncpd::decodeDsRequest(data)) {
        (void)ncpd::decodeResolveName(ds->parameters);
        (void)ncpd::decodeReadEntryName(ds->parameters);
    }
    (void)ncpd::decodeResolveName(data);
    (void)ncpd::decodeReadEntryName(data);
    (void)ncpd::decodeOpenFiles(data);
    (void)ncpd::decodeObjectConnections(data);
    (void)ncpd::decodeObjectConnectionsOld(data);
    (void)ncpd::decodeActiveConnections(data);
    (void)ncpd::decodeFullPath(data);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(bytes), qsizetype(size));
    decodeEvery(input);

    // As a stream: the first byte splits it in two pieces, the way TCP may.
    ncp::FrameAssembler frames(ncp::FrameAssembler::Direction::Requests, 64 * 1024);
    const qsizetype split = size ? qsizetype(bytes[0]) % (input.size() + 1) : 0;
    frames.feed(input.left(split));
    for (int round = 0; round < 2; ++round) {
        while (const auto frame = frames.next())
            if (const auto request = ncp::decodeRequest(frame->ncp, frame->replyLimit))
                decodeEvery(request->data);
        frames.feed(input.mid(split));
    }
    return 0;
}
