#include "ncp/bindery_login.h"

#include "ncp/bindery_password.h"
#include "ncp/ncp_session.h"
#include "ncp/password_source.h"
#include "ncp/server_text.h"

namespace ncp {
namespace {

constexpr std::uint8_t kGraceLogin = 0xDF;

LoginRefusal refusal(std::uint8_t completion)
{
    switch (completion) {
    case 0xFF:
        return LoginRefusal::Password;
    case 0xC5:
        return LoginRefusal::Locked;
    case 0xDE:
        return LoginRefusal::Expired;
    case 0xDC:
        return LoginRefusal::Disabled;
    default:
        return LoginRefusal::Other;
    }
}

QString refusalText(LoginRefusal why, std::uint8_t completion, const QString& user)
{
    switch (why) {
    case LoginRefusal::Password:
        return QStringLiteral("the server refused the password of %1").arg(user);
    case LoginRefusal::Locked:
        return QStringLiteral("the account %1 is locked by intruder detection").arg(user);
    case LoginRefusal::Expired:
        return QStringLiteral("the password of %1 has expired").arg(user);
    case LoginRefusal::Disabled:
        return QStringLiteral("the account %1 is disabled").arg(user);
    default:
        return QStringLiteral("login refused (completion 0x%1)")
            .arg(completion, 2, 16, QLatin1Char('0'));
    }
}

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

template <typename T> std::optional<T> refuse(NcpSession& session, QString* error, const char* what)
{
    *error = QStringLiteral("malformed %1 reply").arg(QLatin1String(what));
    session.abort(*error);
    return std::nullopt;
}

} // namespace

std::optional<ServerVersion> setUpSession(NcpSession& session, const LoginTarget& target,
                                          PasswordSource* passwords, QString* error)
{
    QString ignored;
    if (!error)
        error = &ignored;
    const auto versionData = ask(session, versionRequest(), "version", error);
    if (!versionData)
        return std::nullopt;
    const auto version = decodeVersion(*versionData);
    if (!version)
        return refuse<ServerVersion>(session, error, "version");
    if (target.user.isEmpty())
        return version;

    std::optional<QString> password = QString();
    if (passwords)
        password = passwords->password(target.server, target.user, target.passwordFile);
    if (!password) {
        *error = QStringLiteral("no password for %1 on %2").arg(target.user, target.server);
        session.close();
        return std::nullopt;
    }
    // Bindery names and passwords are kept upper-cased, in the servers' one
    // single-byte encoding: a character that has no byte there is not sent as
    // a stand-in, which would be another password and a strike against the
    // account.
    const auto name = serverText(binderyUpper(target.user));
    auto secret = serverText(binderyUpper(*password));
    password->fill(QChar());
    if (!name || !secret) {
        *error = QStringLiteral("the %1 of %2 has a character servers cannot receive")
                     .arg(name ? QStringLiteral("password") : QStringLiteral("name"), target.user);
        if (passwords)
            passwords->refused(target.server, target.user, LoginRefusal::Unencodable, 0);
        session.close();
        return std::nullopt;
    }
    const auto keyData = ask(session, loginKeyRequest(), "login key", error);
    if (!keyData)
        return std::nullopt;
    const auto key = decodeLoginKey(*keyData);
    if (!key)
        return refuse<ServerVersion>(session, error, "login key");
    const auto idData =
        ask(session, objectIdRequest(kObjectTypeUser, *name), "user look-up", error);
    if (!idData)
        return std::nullopt;
    const auto id = decodeObjectId(*idData);
    if (!id)
        return refuse<ServerVersion>(session, error, "object ID");
    const auto encrypted = encryptLoginKey(*key, shufflePassword(*id, *secret));
    secret->fill('\0');
    const RequestBody login = keyedLoginRequest(encrypted, kObjectTypeUser, *name);
    const auto reply = session.call(login.function, login.subfunction, login.data);
    if (!reply) {
        *error = session.error();
        return std::nullopt;
    }
    // What follows a login's completion code is the server's own business
    // (some send their view of the login); the code alone says how it went.
    if (reply->completion == kGraceLogin) {
        if (passwords)
            passwords->graceLogin(target.server, target.user, graceLoginsLeft(session, *name));
        return version;
    }
    if (reply->completion != 0) {
        const LoginRefusal why = refusal(reply->completion);
        if (passwords)
            passwords->refused(target.server, target.user, why, reply->completion);
        *error = refusalText(why, reply->completion, target.user);
        session.close();
        return std::nullopt;
    }
    return version;
}

} // namespace ncp
