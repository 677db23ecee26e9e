// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to everything the NCP client reads from the network:
// the stream of reply frames (plain and signed) and every reply decoder, the
// directory login's among them (keys, sealed blocks, the server's proof, the
// private key's block). A decoder may refuse anything; it must never read
// outside the bytes it was given.

#include "ncp/bindery_requests.h"
#include "ncp/connection_list_requests.h"
#include "ncp/connection_requests.h"
#include "ncp/directory_requests.h"
#include "ncp/ds_requests.h"
#include "ncp/file_requests.h"
#include "ncp/file_use_requests.h"
#include "ncp/frame_assembler.h"
#include "ncp/ncp_packet.h"
#include "ncp/ncp_session.h"
#include "ncp/open_file_requests.h"
#include "ncpauth/ds_key.h"
#include "ncpauth/ds_login_requests.h"
#include "ncpauth/login_messages.h"
#include "ncpauth/rsa_math.h"
#include "ncpauth/sealed_block.h"
#include "ncpauth/signed_frames.h"
#include "netware/open_file_records.h"

#include <cstddef>
#include <cstdint>

using namespace ncp;

namespace {

// A server key and a login under way, for the replies that need them.
const DsPrivateKey& serverKey()
{
    static const DsPrivateKey key = generateKeyPair().value();
    return key;
}

void decodeDirectoryLogin(const QByteArray& data)
{
    (void)decodeBeginLogin(data);
    if (const auto finished = decodeFinishLogin(data)) {
        LoginRequest request;
        request.nonce = QByteArray(4, 'n');
        request.mask = QByteArray(1024, 'm');
        request.proof = QByteArray(28, 'p');
        (void)openLoginKeyBlock(request, PasswordHash{}, finished->keyBlock);
    }
    if (const auto begun = decodeBeginAuthentication(data))
        (void)checkServerProof(serverKey().pub, QByteArray(4, 's'), begun->proof);
    (void)checkServerProof(serverKey().pub, QByteArray(4, 's'), data);
    (void)decodeServerName(data);
    if (const auto value = decodeAttributeValue(data, QStringLiteral("Public Key")))
        if (const auto blob = publicBlobOfAttribute(*value))
            (void)decodePublicKey(*blob);
    (void)decodeEntryDnRaw(data);
    (void)decodePublicKey(data);
    (void)decodePrivateKey(data);
    (void)openBlock(QByteArray(16, 'k'), data);
}

void decodeEverything(const QByteArray& data)
{
    (void)decodeVersion(data);
    (void)decodeLoginKey(data);
    (void)decodeObjectId(data);
    (void)decodeEmpty(data);
    (void)decodeObjectName(data, 0x1001);
    (void)decodeConnectionInfo(data);
    (void)decodeInetAddr(data);
    for (std::size_t expected : {0, 1, 5})
        (void)decodeBroadcast(data, expected);
    for (std::size_t expected : {0, 1, 5})
        (void)decodeOldBroadcast(data, expected);
    (void)decodeGraceLogins(data);
    (void)decodePathEntry(data);
    (void)decodeDirectoryEntry(data);
    (void)decodeConnectionsUsingFile(data);
    (void)decodeVolumeNumber(data);
    (void)decodeAllocDirHandle(data);
    (void)decodeTrusteePath(data, 0x1001);
    (void)decodeDirTrustees(data);
    (void)decodeExtendedInfo(data);
    (void)decodeLongName(data);
    (void)decodeEntryInfo(data);
    (void)decodeInitSearch(data);
    (void)decodeSearchSet(data, kRimBrowse);
    (void)decodeOpenCreate(data);
    for (std::uint32_t offset : {0u, 1u})
        (void)decodeReadFile(data, offset, 4000);
    if (const auto ds = decodeDsReply(data)) {
        (void)decodeResolvedName(ds->verbData);
        (void)decodeEntryName(ds->verbData);
    }
    (void)decodeResolvedName(data);
    (void)decodeEntryName(data);
    decodeDirectoryLogin(data);
    (void)decodeObjectConnections(data);
    (void)decodeObjectConnectionsOld(data);
    (void)decodeActiveConnections(data);
    (void)decodeFullPath(data);
    if (const auto open = decodeOpenFiles(data)) {
        // Taken as the client takes an answer, then every kept record handed out.
        std::int16_t iter = 0;
        nw::OPEN_FILE_CONN_CTRL control;
        nw::OPEN_FILE_CONN file;
        const auto records =
            std::span(reinterpret_cast<const std::uint8_t*>(open->records.constData()),
                      std::size_t(open->records.size()));
        if (nw::takeOpenFilesAnswer(open->nextRecord, open->count, records, iter, control, file) ==
            nw::kSuccess) {
            (void)nw::keptOpenFileRecords(control);
            while (nw::openFilesFromControl(iter, control, file) == nw::kSuccess) {
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(bytes), qsizetype(size));
    decodeEverything(input);

    // The same bytes as a reply stream arriving in pieces whose sizes the
    // first byte chooses.
    // An even first byte: a session whose replies come signed.
    FrameAssembler frames(FrameAssembler::Direction::Replies,
                          std::uint32_t(kReplyTcpHeader) + kReplyLimit + 8);
    const SignedFrames signedFrames(SignRoot{1, 2, 3, 4, 5, 6, 7, 8});
    const bool signedSession = size > 0 && bytes[0] % 2 == 0;
    const qsizetype piece = size > 0 ? 1 + bytes[0] % 64 : 1;
    for (qsizetype at = 0; at < input.size(); at += piece) {
        frames.feed(input.mid(at, piece));
        while (const auto frame = frames.next()) {
            bool good = false;
            const auto packet = signedSession ? signedFrames.openReply(frame->ncp, &good)
                                              : std::optional<QByteArray>(frame->ncp);
            if (const auto reply = packet ? decodeReply(*packet) : std::nullopt)
                decodeEverything(reply->data);
        }
    }
    return 0;
}
