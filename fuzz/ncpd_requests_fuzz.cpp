// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes through what the NCP server reads from a client: the
// frame assembler (plain and signed frames), the request header, and every
// request decoder, the directory login's among them (what is sealed for the
// server, the login identity and its proof), as if the bytes were the stream
// of one session and, after the first byte, the data of any request.

#include "ncp/frame_assembler.h"
#include "ncp/ncp_packet.h"
#include "ncpauth/ds_key.h"
#include "ncpauth/login_messages.h"
#include "ncpauth/rsa_math.h"
#include "ncpauth/signed_frames.h"
#include "ncpd/bad_request.h"
#include "ncpd/bindery_query_requests.h"
#include "ncpd/bindery_requests.h"
#include "ncpd/connection_requests.h"
#include "ncpd/directory_requests.h"
#include "ncpd/ds_fragments.h"
#include "ncpd/ds_login_requests.h"
#include "ncpd/ds_names.h"
#include "ncpd/ds_ping.h"
#include "ncpd/ds_requests.h"
#include "ncpd/file_requests.h"
#include "ncpd/file_use_requests.h"
#include "ncpd/listing_requests.h"
#include "ncpd/long_name_request.h"
#include "ncpd/negotiation_requests.h"
#include "ncpd/old_form_requests.h"
#include "ncpd/request_text.h"
#include "ncpd/volume_paths.h"
#include "ncpd/volume_requests.h"

#include <cstddef>
#include <cstdint>

namespace {

// One session's directory-services messages: every input is a fragment of
// the same conversation, as a client would send them one after the other.
ncpd::DsFragments fragments;

// One key pair for the messages checked with a key: it stands for the
// server's and, where a proof is checked, for the user's.
const ncp::DsPrivateKey& key()
{
    static const ncp::DsPrivateKey pair = ncp::generateKeyPair().value();
    return pair;
}

void decodeDirectoryLogin(const QByteArray& data)
{
    (void)ncpd::decodeDsRead(data);
    (void)ncpd::decodeServerNameForm(data);
    (void)ncpd::decodeBeginLogin(data);
    if (const auto finish = ncpd::decodeFinishLogin(data))
        (void)ncp::readLoginRequest(key(), finish->payload);
    (void)ncpd::decodeBeginAuthentication(data);
    if (const auto finish = ncpd::decodeFinishAuthentication(data)) {
        (void)ncp::openFromClient(key(), finish->signKey);
        (void)ncp::readLoginIdentity(finish->identity);
        (void)ncp::checkIdentityProof(key().pub, QByteArray(4, 'a'), finish->identity,
                                      finish->proof);
    }
    (void)ncp::openFromClient(key(), data);
    (void)ncp::checkIdentityProof(key().pub, QByteArray(4, 'a'), QByteArray(), data);
}

// A server with one volume, for where a path starts.
const nw::SimState& oneVolume()
{
    static const nw::SimState state = [] {
        nw::SimState s;
        s.volumes.push_back(nw::SimVolume{QStringLiteral("DATA"), {}, {}, true});
        s.indexNames();
        return s;
    }();
    return state;
}

void startPath(const ncpd::HandlePath& path)
{
    (void)ncpd::startOf(
        oneVolume(), path,
        [](std::uint8_t h) {
            return h == 1 ? std::optional(QStringLiteral("DATA:A\\B")) : std::nullopt;
        },
        [](std::uint32_t b) {
            return b == 7 ? std::optional(QStringLiteral("DATA:A")) : std::nullopt;
        });
    for (const QByteArray& name : path.names)
        for (std::uint8_t ns : {ncpd::kNameSpaceDos, ncpd::kNameSpaceLong})
            (void)ncpd::validName(QString::fromLatin1(name), ns);
}

void decodeFileRequests(const QByteArray& data)
{
    if (const auto open = ncpd::decodeOpenCreate(data))
        startPath(open->path);
    if (const auto search = ncpd::decodeInitSearch(data))
        startPath(search->path);
    if (const auto rename = ncpd::decodeRename(data)) {
        startPath(rename->from);
        startPath(rename->to);
    }
    if (const auto remove = ncpd::decodeDelete(data))
        startPath(remove->path);
    if (const auto set = ncpd::decodeSearchSet(data)) {
        const QString pattern = ncpd::searchPatternText(set->pattern);
        (void)ncpd::matchesPattern(QString::fromLatin1(data), pattern);
        (void)ncpd::matchesPattern(QStringLiteral("Long name.doc"), pattern);
    }
    (void)ncpd::decodeCloseFile(data);
    (void)ncpd::decodeReadFile(data);
    (void)ncpd::decodeWriteFile(data);
}

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
    (void)ncpd::decodeOneByte(data);
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
    const auto ds = fragments.take(data);
    if (ds.kind == ncpd::DsFragments::Outcome::Complete) {
        if (const auto resolve = ncpd::decodeResolveName(ds.request.parameters))
            (void)ncpd::typelessDsName(resolve->name);
        (void)ncpd::decodeReadEntryName(ds.request.parameters);
        decodeDirectoryLogin(ds.request.parameters);
        (void)fragments.reply(0, data, ds.request.maxFragmentSize);
    }
    (void)ncpd::decodeResolveName(data);
    (void)ncpd::decodeReadEntryName(data);
    (void)ncpd::decodeOpenFiles(data);
    (void)ncpd::decodeObjectConnections(data);
    (void)ncpd::decodeObjectConnectionsOld(data);
    (void)ncpd::decodeActiveConnections(data);
    (void)ncpd::decodeFullPath(data);
    if (const auto ping = ncpd::decodeDsPing(data))
        (void)ncpd::encodeDsPingReply(*ping,
                                      ncpd::DsPingAnswer{QString::fromLatin1(data), 0, 0, 0});
    (void)ncpd::decodeBigPacket(data);
    (void)ncpd::decodeBufferSize(data);
    (void)ncpd::decodeScanObject(data);
    (void)ncpd::decodeScanProperty(data);
    decodeDirectoryLogin(data);
    decodeFileRequests(data);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(bytes), qsizetype(size));
    decodeEvery(input);

    // As a stream: the first byte splits it in two pieces, the way TCP may;
    // when it is odd, the session's requests come signed.
    ncp::FrameAssembler frames(ncp::FrameAssembler::Direction::Requests, 64 * 1024);
    ncp::SignedFrames signedFrames(ncp::SignRoot{8, 7, 6, 5, 4, 3, 2, 1});
    const bool signedSession = size > 0 && bytes[0] % 2 == 1;
    const qsizetype split = size ? qsizetype(bytes[0]) % (input.size() + 1) : 0;
    frames.feed(input.left(split));
    for (int round = 0; round < 2; ++round) {
        while (const auto frame = frames.next()) {
            bool good = false;
            const auto packet = signedSession ? signedFrames.openRequest(frame->ncp, &good)
                                              : std::optional<QByteArray>(frame->ncp);
            if (!packet)
                continue;
            if (const auto request = ncp::decodeRequest(*packet, frame->replyLimit))
                decodeEvery(request->data);
            else
                (void)ncpd::badRequestReply(*packet, 1);
        }
        frames.feed(input.mid(split));
    }
    return 0;
}
