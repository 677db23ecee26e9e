// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpauth/ds_login.h"

#include "ncp/bindery_password.h"
#include "ncp/ds_requests.h"
#include "ncp/ncp_session.h"
#include "ncpauth/ds_exchange.h"
#include "ncpauth/ds_key.h"
#include "ncpauth/ds_login_requests.h"
#include "ncpauth/login_messages.h"
#include "ncpauth/random_source.h"

namespace ncp {
namespace {

using Kind = DsLoginResult::Kind;

// One step of the login: its answer, or the result that ends the login.
struct Step
{
    DsAnswer answer;
    std::optional<DsLoginResult> end;
};

DsLoginResult failure(NcpSession& session, const QString& why)
{
    DsLoginResult r;
    r.kind = Kind::Failed;
    r.error = why;
    session.abort(why);
    return r;
}

// Sends one verb; ends the login on anything but a directory answer.
Step ask(NcpSession& session, std::uint32_t verb, const QByteArray& parameters, const char* what)
{
    Step s;
    s.answer = dsExchange(session, verb, parameters);
    switch (s.answer.kind) {
    case DsAnswer::Kind::Done:
        return s;
    case DsAnswer::Kind::NotSupported: {
        DsLoginResult r;
        r.kind = Kind::NoDirectory;
        r.error = QStringLiteral("the server has no directory services");
        s.end = r;
        return s;
    }
    case DsAnswer::Kind::SessionEnded: {
        DsLoginResult r;
        r.error = session.error();
        s.end = r;
        return s;
    }
    case DsAnswer::Kind::Completion:
        s.end = failure(session, QStringLiteral("%1 refused (completion 0x%2)")
                                     .arg(QLatin1String(what))
                                     .arg(s.answer.completion, 2, 16, QLatin1Char('0')));
        return s;
    case DsAnswer::Kind::SignatureRefused:
        s.end = failure(
            session,
            QStringLiteral("a %1 reply with a bad packet signature").arg(QLatin1String(what)));
        return s;
    case DsAnswer::Kind::Malformed:
        break;
    }
    s.end = failure(session, QStringLiteral("malformed %1 reply").arg(QLatin1String(what)));
    return s;
}

std::optional<std::uint32_t> resolve(NcpSession& session, const QString& name, Step& step)
{
    step = ask(session, 1, resolveNameParameters(name), "resolve name");
    if (step.end || step.answer.error != 0)
        return std::nullopt;
    const auto resolved = decodeResolvedName(step.answer.data);
    if (!resolved || !resolved->found) {
        step.end = failure(session, QStringLiteral("malformed resolve name reply"));
        return std::nullopt;
    }
    return resolved->entryId;
}

// The directory's keys travel in an attribute's value.
std::optional<DsPublicKey> publicKey(NcpSession& session, std::uint32_t id, Step& step)
{
    step = ask(session, kVerbRead, readAttributeParameters(id, kAttributePublicKey), "read key");
    if (step.end || step.answer.error != 0)
        return std::nullopt;
    const auto value = decodeAttributeValue(step.answer.data, kAttributePublicKey);
    const auto blob = value ? publicBlobOfAttribute(*value) : std::nullopt;
    const auto key = blob ? decodePublicKey(*blob) : std::nullopt;
    if (!key)
        step.end = failure(session, QStringLiteral("a public key that does not read"));
    return key;
}

DsLoginResult result(Kind kind, std::int32_t error, const QString& why)
{
    DsLoginResult r;
    r.kind = kind;
    r.directoryError = error;
    r.error = why;
    return r;
}

QString withoutLeadingDot(QString name)
{
    if (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    return name;
}

} // namespace

bool hasContext(const QString& name)
{
    const QString n = withoutLeadingDot(name);
    return n.contains(QLatin1Char('.')) || n.contains(QLatin1Char('='));
}

QString leafName(const QString& name)
{
    QString leaf = withoutLeadingDot(name).section(QLatin1Char('.'), 0, 0);
    if (const qsizetype eq = leaf.indexOf(QLatin1Char('=')); eq >= 0)
        leaf = leaf.mid(eq + 1);
    return leaf;
}

DsLoginResult directoryLogin(NcpSession& session, const QString& name, const QByteArray& password,
                             RandomSource& random)
{
    Step step;
    // The user, and what the server calls itself (to find its key, and the
    // context a plain name is looked up in after the root).
    std::optional<QString> serverName;
    const auto serverDn = [&]() -> std::optional<QString> {
        if (serverName)
            return serverName;
        step = ask(session, kVerbServerName, serverNameParameters(), "server name");
        if (step.end || step.answer.error != 0)
            return std::nullopt;
        serverName = decodeServerName(step.answer.data);
        if (!serverName)
            step.end = failure(session, QStringLiteral("malformed server name reply"));
        return serverName;
    };
    std::optional<std::uint32_t> user = resolve(session, withoutLeadingDot(name), step);
    if (step.end)
        return *step.end;
    if (!user && step.answer.error == kDsErrNoSuchEntry && !hasContext(name) &&
        !name.startsWith(QLatin1Char('.'))) {
        const auto server = serverDn();
        if (step.end)
            return *step.end;
        const qsizetype dot = server ? server->indexOf(QLatin1Char('.')) : -1;
        if (dot > 0)
            user = resolve(session, name + server->mid(dot), step);
        if (step.end)
            return *step.end;
    }
    if (!user)
        return result(Kind::NotFound, step.answer.error,
                      QStringLiteral("the directory has no object %1").arg(name));
    const auto userKey = publicKey(session, *user, step);
    if (step.end)
        return *step.end;
    if (!userKey)
        return result(step.answer.error == kDsErrNoSuchAttribute ? Kind::NoKeys : Kind::Refused,
                      step.answer.error,
                      QStringLiteral("no key pair for %1 in the directory").arg(name));

    step = ask(session, kVerbBeginLogin, beginLoginParameters(*user), "begin login");
    if (step.end)
        return *step.end;
    if (step.answer.error != 0)
        return result(Kind::Refused, step.answer.error, QStringLiteral("begin login refused"));
    const auto begun = decodeBeginLogin(step.answer.data);
    if (!begun)
        return failure(session, QStringLiteral("malformed begin login reply"));
    const auto server = serverDn();
    if (step.end)
        return *step.end;
    const std::optional<std::uint32_t> serverId =
        server ? resolve(session, *server, step) : std::nullopt;
    if (step.end)
        return *step.end;
    const auto serverKey = serverId ? publicKey(session, *serverId, step) : std::nullopt;
    if (step.end)
        return *step.end;
    if (!serverKey)
        return failure(session, QStringLiteral("the server's public key cannot be read"));

    // The password proven, the private key received.
    PasswordHash hash = shufflePassword(begun->pseudoId, password);
    auto request = makeLoginRequest(*serverKey, hash, begun->seed, random);
    if (!request) {
        hash.fill(0);
        return failure(session, QStringLiteral("the server's public key does not fit a login"));
    }
    step = ask(session, kVerbFinishLogin, finishLoginParameters(*user, request->payload),
               "finish login");
    if (step.end) {
        hash.fill(0);
        request->wipe();
        return *step.end;
    }
    const bool grace = step.answer.error == kDsErrPasswordExpired;
    if (step.answer.error != 0 && !grace) {
        hash.fill(0);
        request->wipe();
        return result(Kind::Refused, step.answer.error, QStringLiteral("login refused"));
    }
    const auto finished = decodeFinishLogin(step.answer.data);
    auto privateBlob =
        finished ? openLoginKeyBlock(*request, hash, finished->keyBlock) : std::nullopt;
    hash.fill(0);
    request->wipe();
    auto privateKey = privateBlob ? decodePrivateKey(*privateBlob) : std::nullopt;
    if (privateBlob)
        privateBlob->fill('\0');
    if (!privateKey)
        return failure(session, QStringLiteral("the private key the server sent does not open"));

    // Authentication of the connection.
    const QByteArray seed = random.bytes(4);
    step = ask(session, kVerbBeginAuthentication, beginAuthenticationParameters(*user, seed),
               "begin authentication");
    if (!step.end && step.answer.error != 0)
        step.end = result(Kind::Refused, step.answer.error,
                          QStringLiteral("begin authentication refused"));
    const auto begunAuth = step.end ? std::nullopt : decodeBeginAuthentication(step.answer.data);
    if (!step.end && (!begunAuth || !checkServerProof(*serverKey, seed, begunAuth->proof)))
        step.end = failure(session, QStringLiteral("the server did not prove its identity"));
    if (!step.end)
        step = ask(session, 2, entryDnParameters(*user), "entry name");
    const auto dn = step.end ? std::nullopt : decodeEntryDnRaw(step.answer.data);
    if (!step.end && (step.answer.error != 0 || !dn))
        step.end = failure(session, QStringLiteral("the entry's name cannot be read"));
    if (step.end) {
        privateKey->wipe();
        return *step.end;
    }
    const QByteArray identity = loginIdentity(finished->loginData, random.bytes(4), *dn);
    std::optional<SignRoot> root;
    QByteArray sealedSignKey;
    if (session.signingWanted()) {
        root.emplace();
        random.fill(*root);
        QByteArray key(reinterpret_cast<const char*>(root->data()), 8);
        sealedSignKey = sealForServer(*serverKey, key, random).value_or(QByteArray());
        key.fill('\0');
    }
    const auto proof = makeIdentityProof(*privateKey, begunAuth->authId, identity, random);
    privateKey->wipe();
    if (!proof || (root && sealedSignKey.isEmpty()))
        return failure(session, QStringLiteral("the login's proof cannot be made"));
    step = ask(session, kVerbFinishAuthentication,
               finishAuthenticationParameters(sealedSignKey, identity, *proof),
               "finish authentication");
    if (step.end)
        return *step.end;
    if (step.answer.error != 0)
        return result(Kind::Refused, step.answer.error, QStringLiteral("authentication refused"));
    if (root) {
        session.startSigning(*root);
        root->fill(0);
    }

    DsLoginResult r;
    r.kind = Kind::LoggedIn;
    r.grace = grace;
    if (grace) {
        // The grace logins left, as the directory keeps them.
        const DsAnswer left = dsExchange(session, kVerbRead,
                                         readAttributeParameters(*user, kAttributeGraceRemaining));
        const auto value =
            left.ok() ? decodeAttributeValue(left.data, kAttributeGraceRemaining) : std::nullopt;
        if (value && value->size() >= 4)
            r.graceLeft = int(std::uint8_t((*value)[0]) | std::uint8_t((*value)[1]) << 8);
    }
    return r;
}

} // namespace ncp
