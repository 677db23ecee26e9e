// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncp/ncp_client.h"

#include "ncp/bindery_login.h"
#include "ncp/completion_code.h"
#include "ncp/directory_requests.h"
#include "ncp/password_source.h"
#include "netware/sim_path.h"

#include <QStringList>

#include <cstring>

namespace ncp {

using namespace nw;

NcpClient::NcpClient(QString name, NcpServerSpec spec, DriveLookup drives,
                     PasswordSource* passwords, SessionOptions options)
    : name_(std::move(name)), spec_(std::move(spec)), drives_(std::move(drives)),
      passwords_(passwords), options_(options)
{
}

NcpClient::~NcpClient() = default;

bool NcpClient::ensureSession()
{
    if (session_ && session_->isOpen())
        return true;
    if (session_)
        earlierRequests_ += session_->requestsSent();
    session_ = std::make_unique<NcpSession>(spec_.host, spec_.port, options_);
    volumes_.clear();
    olderForms_.clear();
    if (!session_->open()) {
        lastError_ = session_->error();
        if (session_->refusedForSigning() && passwords_)
            passwords_->notice(name_, spec_.user,
                               QStringLiteral("%1 requires signed packets, which this client may "
                                              "not make: no session.")
                                   .arg(name_));
        return false;
    }
    const auto version = setUpSession(
        *session_, LoginTarget{name_, spec_.user, spec_.passwordFile, spec_.binderyOnly},
        passwords_, &lastError_);
    if (!version)
        return false;
    version_ = *version;
    ++sessionCount_;
    // What the last session's server said of long names and of trustee paths
    // holds for that session alone: it goes as the session count moves on.
    shortNameVolumes_.clear();
    trusteeEnd_.reset();
    lastError_.clear();
    return true;
}

NcpClient::Answer NcpClient::send(NWCONN_HANDLE conn, const RequestBody& body)
{
    if (!handles_.contains(conn) || !ensureSession())
        return {kInvalidConnection, {}};
    const auto reply = session_->call(body.function, body.subfunction, body.data);
    if (!reply) {
        lastError_ = session_->error();
        return {kInvalidConnection, {}};
    }
    if (reply->signatureRefused) {
        ++badSignatures_;
        lastError_ = QStringLiteral("a reply whose packet signature did not hold was refused (%1 "
                                    "so far)")
                         .arg(badSignatures_);
        if (passwords_)
            passwords_->notice(name_, spec_.user,
                               QStringLiteral("%1 sent a reply whose packet signature did not "
                                              "hold; the call was refused.")
                                   .arg(name_));
        return {kInvalidSignature, {}};
    }
    const NWCCODE code = clientCode(reply->completion);
    // A volume has gone, so the numbers may have moved; a look-up of a name
    // this server never had says nothing of the others.
    if (code == kVolumeDoesNotExist && !(body.function == 0x16 && body.subfunction == 5))
        volumes_.clear();
    return {code, reply->data};
}

NWCCODE NcpClient::malformed()
{
    // The reply came in its frame, for this request's sequence: the stream is
    // whole, so only this call fails and the session goes on.
    return kInvalidReplyLength;
}

NWCONN_HANDLE NcpClient::newHandle()
{
    while (nextHandle_ == 0 || handles_.contains(nextHandle_))
        ++nextHandle_;
    handles_.insert(nextHandle_);
    return nextHandle_++;
}

NWCCODE NcpClient::NWCallsInit(void*, void*)
{
    return kSuccess; // the session comes up with the first call that needs it
}

NWCCODE NcpClient::NWParsePath(const char* path, std::span<char> serverName, NWCONN_HANDLE& conn,
                               std::span<char> volName, std::span<char> dirPath)
{
    QString text = fromWire(path);
    text.replace(QLatin1Char('/'), QLatin1Char('\\'));
    QString volume;
    QString relative;
    bool volumeKnown = true;
    if (text.size() >= 2 && text[1] == QLatin1Char(':') && text[0].isLetter()) {
        const auto target = drives_ ? drives_(text[0].toUpper()) : std::nullopt;
        if (!target)
            return kBadPathSyntax;
        if (target->server.compare(name_, Qt::CaseInsensitive) != 0)
            return kInvalidConnection;
        volume = target->volume;
        relative = joinNwPath(target->pathInsideVolume, text.mid(2));
    } else {
        const auto unc = fromUncPath(text);
        if (!unc)
            return kBadPathSyntax;
        const auto split = splitNwPath(*unc);
        if (!split)
            return kBadPathSyntax;
        const qsizetype sep = split->volume.indexOf(QLatin1Char('\\'));
        if (sep >= 0 && split->volume.left(sep).compare(name_, Qt::CaseInsensitive) != 0)
            return kBadPathSyntax;
        volume = sep < 0 ? split->volume : split->volume.mid(sep + 1);
        relative = split->relative;
        volumeKnown = sep >= 0;
    }
    if (pathHandle_ == 0 || !handles_.contains(pathHandle_))
        pathHandle_ = newHandle();
    if (!volumeKnown) {
        // A bare "VOL:PATH" is this server's only when it has the volume.
        NWCCODE code = kSuccess;
        if (!volumeNumber(pathHandle_, toWire(volume), code))
            return code == kInvalidConnection ? code : kBadPathSyntax;
    }
    conn = pathHandle_;
    copyToBuffer(serverName, toWire(name_));
    copyToBuffer(volName, toWire(volume.toUpper()));
    copyToBuffer(dirPath, toWire(relative));
    return kSuccess;
}

NWCCODE NcpClient::NWCCOpenConnByName(NWCONN_HANDLE, const char* name, std::uint32_t, std::uint32_t,
                                      std::uint32_t, NWCONN_HANDLE& conn)
{
    if (fromWire(name).compare(name_, Qt::CaseInsensitive) != 0)
        return kServerUnknown;
    conn = newHandle();
    return kSuccess;
}

NWCCODE NcpClient::NWCCCloseConn(NWCONN_HANDLE conn)
{
    if (!handles_.erase(conn))
        return kInvalidConnection;
    for (auto it = cursors_.begin(); it != cursors_.end();)
        it = it->second.conn == conn ? cursors_.erase(it) : std::next(it);
    // The session outlives its handles: the next handle reuses it.
    return kSuccess;
}

NWCCODE NcpClient::NWGetFileServerVersionInfo(NWCONN_HANDLE conn, VERSION_INFO& versBuffer)
{
    const Answer a = send(conn, versionRequest());
    if (a.code)
        return a.code;
    const auto version = decodeVersion(a.data);
    if (!version)
        return malformed();
    versBuffer.bytes = version->bytes;
    return kSuccess;
}

std::optional<std::uint8_t> NcpClient::volumeNumber(NWCONN_HANDLE conn, const QByteArray& volume,
                                                    NWCCODE& code)
{
    // A scan asks for the file's volume once per user listed: one request per
    // session serves them all.
    code = kInvalidConnection;
    if (!handles_.contains(conn) || !ensureSession())
        return std::nullopt;
    const QByteArray key = volume.toUpper();
    if (const auto known = volumes_.find(key); known != volumes_.end()) {
        code = kSuccess;
        return known->second;
    }
    const Answer a = send(conn, volumeNumberRequest(volume));
    code = a.code;
    if (code)
        return std::nullopt;
    const auto number = decodeVolumeNumber(a.data);
    if (!number)
        code = malformed();
    else
        volumes_[key] = *number;
    return number;
}

NWCCODE NcpClient::NWGetVolumeNumber(NWCONN_HANDLE conn, const char* volName, std::uint16_t& volNum)
{
    NWCCODE code = kSuccess;
    const auto number = volumeNumber(conn, QByteArray(volName ? volName : ""), code);
    if (number)
        volNum = *number;
    return code;
}

} // namespace ncp
