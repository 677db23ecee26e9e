// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncp/bindery_login.h"

#include "ncp/bindery_password.h"
#include "ncp/ncp_session.h"

namespace ncp {
namespace {

constexpr std::uint8_t kGraceLogin = 0xDF;

// The grace logins the server has left after this one, read from the user's
// LOGIN_CONTROL property as the server keeps it; -1 when it does not say.
int graceLoginsLeft(NcpSession& session, const QByteArray& name)
{
    const RequestBody read = readPropertyRequest(kObjectTypeUser, name, 1, "LOGIN_CONTROL");
    const auto reply = session.call(read.function, read.subfunction, read.data);
    if (!reply || reply->completion != 0)
        return -1;
    return decodeGraceLogins(reply->data).value_or(-1);
}

// The reply data of a request that must succeed; nullopt ends the session.
std::optional<QByteArray> ask(NcpSession& session, const RequestBody& body, const char* what,
                              QString* error)
{
    const auto reply = session.call(body.function, body.subfunction, body.data);
    if (!reply) {
        *error = session.error();
        return std::nullopt;
    }
    if (reply->completion != 0) {
        *error = QStringLiteral("%1 refused (completion 0x%2)")
                     .arg(QLatin1String(what))
                     .arg(reply->completion, 2, 16, QLatin1Char('0'));
        session.abort(*error);
        return std::nullopt;
    }
    return reply->data;
}

BinderyLogin failed(NcpSession& session, const QString& why)
{
    BinderyLogin r;
    r.error = why;
    session.abort(why);
    return r;
}

} // namespace

BinderyLogin binderyLogin(NcpSession& session, const QByteArray& name, const QByteArray& secret)
{
    BinderyLogin r;
    const auto keyData = ask(session, loginKeyRequest(), "login key", &r.error);
    if (!keyData)
        return r;
    const auto key = decodeLoginKey(*keyData);
    if (!key)
        return failed(session, QStringLiteral("malformed login key reply"));
    const auto idData =
        ask(session, objectIdRequest(kObjectTypeUser, name), "user look-up", &r.error);
    if (!idData)
        return r;
    const auto id = decodeObjectId(*idData);
    if (!id)
        return failed(session, QStringLiteral("malformed object ID reply"));
    auto shuffled = shufflePassword(*id, secret);
    const auto encrypted = encryptLoginKey(*key, shuffled);
    const RequestBody login = keyedLoginRequest(encrypted, kObjectTypeUser, name);
    const auto reply = session.call(login.function, login.subfunction, login.data);
    if (!reply) {
        shuffled.fill(0);
        r.error = session.error();
        return r;
    }
    // What follows a login's completion code is the server's own business
    // (some send their view of the login); the code alone says how it went.
    if (reply->completion != 0 && reply->completion != kGraceLogin) {
        shuffled.fill(0);
        r.kind = BinderyLogin::Kind::Refused;
        r.completion = reply->completion;
        return r;
    }
    // Signed packets start after the login's reply, from the shuffled
    // password and the login key.
    if (session.signingWanted())
        session.startSigning(binderySignRoot(shuffled, *key));
    shuffled.fill(0);
    r.kind = BinderyLogin::Kind::LoggedIn;
    r.grace = reply->completion == kGraceLogin;
    if (r.grace)
        r.graceLeft = graceLoginsLeft(session, name);
    return r;
}

} // namespace ncp
