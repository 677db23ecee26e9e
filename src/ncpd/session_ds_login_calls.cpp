// SPDX-License-Identifier: GPL-3.0-or-later
// The directory's login (verbs 57 to 60) and what a client reads for it
// (verb 3 for the keys and the grace logins left, verb 53 for the server's
// own name). The password is proven against the bindery's password hash of
// the object; the private key the object keeps, sealed under that hash,
// goes back to the client, which then proves on this connection that it
// holds it. The server's key pair is the state's.

#include "ncp/bindery_password.h"
#include "ncp/ds_fields.h"
#include "ncp/server_text.h"
#include "ncpauth/ds_key.h"
#include "ncpauth/login_messages.h"
#include "ncpauth/random_source.h"
#include "ncpd/ds_login_requests.h"
#include "ncpd/ds_names.h"
#include "ncpd/object_secrets.h"
#include "ncpd/server_entry.h"
#include "ncpd/session_dispatcher.h"

#include <algorithm>

namespace ncpd {
namespace {

// The bindery's completion codes, as directory errors.
constexpr std::int32_t kErrLocked = -0xC5;
constexpr std::int32_t kErrDisabled = -0xDC;
constexpr std::int32_t kErrExpired = -0xDE;

SessionDispatcher::DsVerbAnswer error(std::int32_t code)
{
    SessionDispatcher::DsVerbAnswer a;
    a.error = code;
    return a;
}

QByteArray le32(std::uint32_t v)
{
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i)
        b[i] = char(v >> (8 * i));
    return b;
}

} // namespace

std::optional<SessionDispatcher::DsVerbAnswer>
SessionDispatcher::loginVerb(const DsRequest& request)
{
    switch (request.verb) {
    case ncp::kVerbRead:
        return readAttributes(request.parameters);
    case ncp::kVerbServerName:
        return serverName(request.parameters);
    case ncp::kVerbBeginLogin:
        return beginLogin(request.parameters);
    case ncp::kVerbFinishLogin:
        return finishLogin(request.parameters);
    case ncp::kVerbBeginAuthentication:
        return beginAuthentication(request.parameters);
    case ncp::kVerbFinishAuthentication:
        return finishAuthentication(request.parameters);
    default:
        return std::nullopt;
    }
}

SessionDispatcher::DsVerbAnswer SessionDispatcher::readAttributes(const QByteArray& parameters)
{
    const auto read = decodeDsRead(parameters);
    const auto s = state();
    if (!read || !s || read->infoType != kInfoAttributeValues)
        return error(ncp::kDsErrInvalidRequest);
    // The attributes an entry has: its public key, and a user's grace logins.
    std::vector<DsAttribute> present;
    if (const nw::SimObject* o = s->objectById(read->entryId)) {
        if (!o->publicKey.isEmpty())
            present.push_back({ncp::kAttributePublicKey, kSyntaxOctetString,
                               ncp::publicKeyAttribute(o->publicKey)});
        if (o->type == nw::kObjectUser && o->passwordExpired)
            present.push_back({ncp::kAttributeGraceRemaining, kSyntaxCounter,
                               le32(std::uint32_t(o->graceLogins))});
    } else if (serverEntry(*s).id == read->entryId) {
        if (!s->publicKey.isEmpty())
            present.push_back({ncp::kAttributePublicKey, kSyntaxOctetString,
                               ncp::publicKeyAttribute(s->publicKey)});
    } else {
        return error(ncp::kDsErrNoSuchEntry);
    }
    std::vector<DsAttribute> answer;
    for (const DsAttribute& a : present) {
        const bool asked =
            read->allAttributes ||
            std::any_of(read->names.begin(), read->names.end(), [&](const QString& n) {
                return n.compare(a.name, Qt::CaseInsensitive) == 0;
            });
        if (asked)
            answer.push_back(a);
    }
    if (answer.empty())
        return error(ncp::kDsErrNoSuchAttribute);
    DsVerbAnswer a;
    a.data = encodeDsReadData(read->infoType, answer);
    return a;
}

SessionDispatcher::DsVerbAnswer SessionDispatcher::serverName(const QByteArray& parameters)
{
    const auto form = decodeServerNameForm(parameters);
    const auto s = state();
    if (!form || !s)
        return error(ncp::kDsErrInvalidRequest);
    DsVerbAnswer a;
    a.data = encodeServerNameData(
        formatDsName(serverEntry(*s).name, false, s->treeName().toUpper(), *form));
    return a;
}

SessionDispatcher::DsVerbAnswer SessionDispatcher::beginLogin(const QByteArray& parameters)
{
    const auto id = decodeBeginLogin(parameters);
    const auto s = state();
    if (!id || !s)
        return error(ncp::kDsErrInvalidRequest);
    const nw::SimObject* o = s->objectById(*id);
    if (!o || o->type != nw::kObjectUser)
        return error(ncp::kDsErrNoSuchEntry);
    // A server that requires signed packets takes no login on a connection
    // that has not agreed to them.
    if (!signingAgreed_ && s->signatureLevel >= 3)
        return error(ncp::kDsErrSecureNcpViolation);
    // The pseudo ID the password is hashed with is the bindery's object ID,
    // so that one hash serves both logins.
    dsLogin_ = DsLogin{o->id, ncp::systemRandom().bytes(4), {}, {}};
    DsVerbAnswer a;
    a.data = encodeBeginLoginData(o->id, dsLogin_->seed);
    return a;
}

SessionDispatcher::DsVerbAnswer SessionDispatcher::finishLogin(const QByteArray& parameters)
{
    const auto request = decodeFinishLogin(parameters);
    const auto s = state();
    if (!request || !s || !dsLogin_ || dsLogin_->object != request->entryId ||
        dsLogin_->seed.isEmpty())
        return error(ncp::kDsErrInvalidRequest);
    // A seed serves one attempt: guessing again needs a new login.
    const QByteArray seed = std::exchange(dsLogin_->seed, QByteArray());
    loggedIn_ = false;
    const nw::SimObject* o = s->objectById(request->entryId);
    if (!o)
        return error(ncp::kDsErrNoSuchEntry);
    // Intruder detection: a locked account is not even tried.
    if (o->locked())
        return error(kErrLocked);
    auto serverKey = ncp::decodePrivateKey(s->privateKey);
    auto hash = objectPasswordHash(*o);
    auto login = serverKey && hash && !o->privateKey.isEmpty()
                     ? ncp::readLoginRequest(*serverKey, request->payload)
                     : std::nullopt;
    const bool proven = login && login->proof == ncp::passwordProof(*hash, seed);
    if (serverKey)
        serverKey->wipe();
    if (hash)
        hash->fill(0);
    if (o->privateKey.isEmpty() || !serverKey || !hash)
        return error(ncp::kDsErrNoSuchAttribute);
    if (!login)
        return error(ncp::kDsErrInvalidRequest);
    const std::uint32_t id = o->id;
    if (!proven) {
        login->wipe();
        recordLogin(id, true, false);
        return error(ncp::kDsErrFailedAuthentication);
    }
    const std::int32_t admitted = -std::int32_t(admitLogin(*o));
    if (admitted == kErrDisabled || admitted == kErrExpired)
        return error(admitted);
    const auto keyBlock = ncp::makeLoginKeyBlock(*login, o->privateKey);
    login->wipe();
    if (!keyBlock)
        return error(ncp::kDsErrInvalidRequest);
    dsLogin_->loginData = ncp::systemRandom().bytes(8);
    // A grace login is a login: the reply comes with the key, the error says
    // the password has expired.
    DsVerbAnswer a;
    a.error = admitted; // 0, or ncp::kDsErrPasswordExpired on a grace login
    a.data = encodeFinishLoginData(dsLogin_->loginData, *keyBlock);
    return a;
}

SessionDispatcher::DsVerbAnswer SessionDispatcher::beginAuthentication(const QByteArray& parameters)
{
    const auto request = decodeBeginAuthentication(parameters);
    const auto s = state();
    if (!request || !s)
        return error(ncp::kDsErrInvalidRequest);
    // Authentication follows a login of the same object on this connection.
    if (!dsLogin_ || dsLogin_->object != request->entryId || dsLogin_->loginData.isEmpty())
        return error(ncp::kDsErrFailedAuthentication);
    auto serverKey = ncp::decodePrivateKey(s->privateKey);
    if (!serverKey)
        return error(ncp::kDsErrNoSuchAttribute);
    auto proof = ncp::makeServerProof(*serverKey, request->seed, ncp::systemRandom());
    serverKey->wipe();
    if (!proof)
        return error(ncp::kDsErrInvalidRequest);
    dsLogin_->authId = ncp::systemRandom().bytes(4);
    DsVerbAnswer a;
    a.data = encodeBeginAuthenticationData(dsLogin_->authId, *proof);
    return a;
}

SessionDispatcher::DsVerbAnswer
SessionDispatcher::finishAuthentication(const QByteArray& parameters)
{
    const auto request = decodeFinishAuthentication(parameters);
    const auto s = state();
    if (!request || !s)
        return error(ncp::kDsErrInvalidRequest);
    if (!dsLogin_ || dsLogin_->authId.isEmpty())
        return error(ncp::kDsErrFailedAuthentication);
    const DsLogin login = *dsLogin_;
    dsLogin_.reset();
    const nw::SimObject* o = s->objectById(login.object);
    const auto identity = ncp::readLoginIdentity(request->identity);
    const auto userKey = o ? ncp::decodePublicKey(o->publicKey) : std::nullopt;
    // The identity names this object and carries this login's data, and the
    // proof holds with the object's key.
    if (!o || !identity || !userKey || identity->loginData != login.loginData ||
        !namesEntry(identity->nameUtf16, *o) ||
        !ncp::checkIdentityProof(*userKey, login.authId, request->identity, request->proof))
        return error(ncp::kDsErrFailedAuthentication);
    // A client that agreed to sign hands over the key here.
    bool refused = signingAgreed_ && request->signKey.isEmpty();
    const auto root =
        refused ? std::nullopt
                : signingAfterLogin(request->signKey.isEmpty() ? std::nullopt
                                                               : std::optional(request->signKey),
                                    &refused);
    if (refused)
        return error(ncp::kDsErrSecureNcpViolation);
    loggedIn_ = true;
    loginObject_ = o->id;
    listConnection(*o);
    signRoot_ = root;
    return DsVerbAnswer();
}

std::optional<ncp::SignRoot>
SessionDispatcher::signingAfterLogin(const std::optional<QByteArray>& signKey, bool* refused)
{
    *refused = false;
    const auto s = state();
    if (!signingAgreed_) {
        // A server that requires signing takes no login without it.
        *refused = s && s->signatureLevel >= 3;
        return std::nullopt;
    }
    if (!signKey)
        return std::nullopt; // the bindery login's root is the caller's
    auto serverKey = s ? ncp::decodePrivateKey(s->privateKey) : std::nullopt;
    auto key = serverKey ? ncp::openFromClient(*serverKey, *signKey) : std::nullopt;
    if (serverKey)
        serverKey->wipe();
    if (!key || key->size() != 8) {
        *refused = true;
        return std::nullopt;
    }
    ncp::SignRoot root{};
    std::copy(key->begin(), key->end(), root.begin());
    key->fill('\0');
    return root;
}

} // namespace ncpd
