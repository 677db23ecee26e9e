// SPDX-License-Identifier: GPL-3.0-or-later
// Bindery requests of a session: the server's version, and the keyed login
// that a session must pass before anything else is answered.

#include "ncp/bindery_password.h"
#include "ncp/server_text.h"
#include "ncpd/bindery_requests.h"
#include "ncpd/object_secrets.h"
#include "ncpd/session_dispatcher.h"
#include "netware/sim_path.h"

#include <QRandomGenerator>

namespace ncpd {
namespace {

constexpr std::uint8_t kCompletionFailure = 0xFF;
constexpr std::uint8_t kCompletionNoSuchObject = 0xFC;
constexpr std::uint8_t kCompletionLocked = 0xC5;
constexpr std::uint8_t kCompletionDisabled = 0xDC;
constexpr std::uint8_t kCompletionExpired = 0xDE;
constexpr std::uint8_t kCompletionGraceLogin = 0xDF;
constexpr std::uint8_t kCompletionAccessDenied = 0xA8;

// The shuffled password a keyed login matches, or nullopt. Bindery clients
// upper-case the password before they shuffle it, others send it as typed:
// either reading of a clear password is taken, in the servers' single-byte
// encoding; a stored hash is the upper-cased one.
std::optional<std::array<std::uint8_t, 16>>
matchingPassword(const nw::SimObject& o, const std::array<std::uint8_t, 8>& key,
                 const std::array<std::uint8_t, 8>& encrypted)
{
    if (o.passwordHash.size() == 16) {
        const auto hash = objectPasswordHash(o);
        return ncp::encryptLoginKey(key, *hash) == encrypted ? hash : std::nullopt;
    }
    const QString stored = o.password.value_or(QString());
    for (const QString& form : {stored, ncp::binderyUpper(stored)}) {
        const auto bytes = ncp::serverText(form);
        if (!bytes)
            continue;
        const auto shuffled = ncp::shufflePassword(o.id, *bytes);
        if (ncp::encryptLoginKey(key, shuffled) == encrypted)
            return shuffled;
    }
    return std::nullopt;
}

} // namespace

SessionDispatcher::Answer SessionDispatcher::versionInfo()
{
    nw::VERSION_INFO info;
    const nw::NWCCODE code = client_->NWGetFileServerVersionInfo(handle_, info);
    return fromCode(code, code ? QByteArray() : encodeVersionReply(info));
}

SessionDispatcher::Answer SessionDispatcher::loginKey()
{
    std::array<std::uint8_t, 8> key{};
    QRandomGenerator::system()->generate(key.begin(), key.end());
    loginKey_ = key;
    Answer a;
    a.data = encodeLoginKeyReply(key);
    return a;
}

SessionDispatcher::Answer SessionDispatcher::objectId(const QByteArray& data)
{
    const auto request = decodeObjectId(data);
    if (!request)
        return malformed();
    const auto s = state();
    if (!s)
        return fromCode(nw::kInvalidConnection);
    // Type 0xFFFF asks for an object of any type.
    const nw::SimObject* o = s->objectByName(nw::fromWire(request->name.constData()));
    if (!o || (request->type != o->type && request->type != 0xFFFF))
        return completion(kCompletionNoSuchObject);
    Answer a;
    a.data = encodeObjectRecord(o->id, o->type, nw::toWire(o->name));
    return a;
}

SessionDispatcher::Answer SessionDispatcher::keyedLogin(const QByteArray& data)
{
    const auto request = decodeKeyedLogin(data);
    if (!request)
        return malformed();
    // A key serves one attempt: guessing again needs a new one.
    const auto key = loginKey_;
    loginKey_.reset();
    const auto s = state();
    if (!s)
        return fromCode(nw::kInvalidConnection);
    const nw::SimObject* o = s->objectByName(nw::fromWire(request->name.constData()));
    if (!o || request->type != kObjectTypeUser || o->type != nw::kObjectUser)
        return completion(kCompletionNoSuchObject);
    if (!key)
        return completion(kCompletionFailure);
    loggedIn_ = false;
    // Intruder detection: a locked account is not even tried.
    if (o->locked())
        return completion(kCompletionLocked);
    // A server that requires signed packets takes no login on a connection
    // that has not agreed to them.
    if (!signingAgreed_ && s->signatureLevel >= 3)
        return completion(kCompletionAccessDenied);
    const std::uint32_t id = o->id;
    auto shuffled = matchingPassword(*o, *key, request->encrypted);
    if (!shuffled) {
        recordLogin(id, true, false);
        return completion(kCompletionFailure);
    }
    // Signed packets start after this reply, from the shuffled password and
    // the key.
    std::optional<ncp::SignRoot> root;
    if (signingAgreed_)
        root = ncp::binderySignRoot(*shuffled, *key);
    shuffled->fill(0);
    const std::uint8_t admitted = admitLogin(*o);
    if (admitted && admitted != kCompletionGraceLogin)
        return completion(admitted);
    loggedIn_ = true;
    loginObject_ = o->id;
    listConnection(*o);
    // A grace login is a login: the session goes on, the user is told.
    signRoot_ = root;
    return completion(admitted);
}

SessionDispatcher::Answer SessionDispatcher::changeConnectionState(const QByteArray& data)
{
    // Clients tell the server the connection is authenticated (state 1) once
    // a directory login is done; there is nothing to change here.
    if (data.size() != 4)
        return malformed();
    return Answer();
}

std::uint8_t SessionDispatcher::admitLogin(const nw::SimObject& o)
{
    const bool grace = o.passwordExpired && o.graceLogins > 0;
    recordLogin(o.id, false, grace);
    if (o.disabled)
        return kCompletionDisabled;
    if (o.passwordExpired && !grace)
        return kCompletionExpired;
    return grace ? kCompletionGraceLogin : 0;
}

void SessionDispatcher::recordLogin(std::uint32_t objectId, bool refused, bool graceUsed)
{
    nw::SimServer* server = client_->simServer(serverName_);
    if (!server)
        return;
    server->mutate([&](nw::SimState& s) {
        for (nw::SimObject& o : s.objects) {
            if (o.id != objectId)
                continue;
            const int failed = refused ? o.failedLogins + 1 : 0;
            const int grace = graceUsed ? o.graceLogins - 1 : o.graceLogins;
            if (failed == o.failedLogins && grace == o.graceLogins)
                return false;
            o.failedLogins = failed;
            o.graceLogins = grace;
            return true;
        }
        return false;
    });
}

SessionDispatcher::Answer SessionDispatcher::objectName(const QByteArray& data)
{
    const auto request = decodeObjectName(data);
    if (!request)
        return malformed();
    std::array<char, 48> name{};
    std::uint16_t type = 0;
    const nw::NWCCODE code = client_->NWGetObjectName(handle_, request->objectId, name, type);
    return fromCode(code, encodeObjectRecord(request->objectId, type, QByteArray(name.data())));
}

} // namespace ncpd
