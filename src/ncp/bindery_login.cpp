#include "ncp/bindery_login.h"

#include "ncp/bindery_password.h"
#include "ncp/ncp_session.h"
#include "ncp/password_source.h"

namespace ncp {
namespace {

constexpr std::uint8_t kBadPassword = 0xFF;

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

    std::optional<QByteArray> password = QByteArray();
    if (passwords)
        password = passwords->password(target.server, target.user, target.passwordFile);
    if (!password) {
        *error = QStringLiteral("no password for %1 on %2").arg(target.user, target.server);
        session.close();
        return std::nullopt;
    }
    const auto keyData = ask(session, loginKeyRequest(), "login key", error);
    if (!keyData)
        return std::nullopt;
    const auto key = decodeLoginKey(*keyData);
    if (!key)
        return refuse<ServerVersion>(session, error, "login key");
    const QByteArray name = target.user.toUpper().toLocal8Bit();
    const auto idData = ask(session, objectIdRequest(kObjectTypeUser, name), "user look-up", error);
    if (!idData)
        return std::nullopt;
    const auto id = decodeObjectId(*idData);
    if (!id)
        return refuse<ServerVersion>(session, error, "object ID");
    // Bindery passwords are kept upper-cased, so clients upper-case what they send.
    const auto encrypted = encryptLoginKey(*key, shufflePassword(*id, password->toUpper()));
    const RequestBody login = keyedLoginRequest(encrypted, kObjectTypeUser, name);
    const auto reply = session.call(login.function, login.subfunction, login.data);
    if (!reply) {
        *error = session.error();
        return std::nullopt;
    }
    if (reply->completion != 0) {
        if (reply->completion == kBadPassword && passwords)
            passwords->refused(target.server, target.user);
        *error = reply->completion == kBadPassword
                     ? QStringLiteral("the server refused the password of %1").arg(target.user)
                     : QStringLiteral("login refused (completion 0x%1)")
                           .arg(reply->completion, 2, 16, QLatin1Char('0'));
        session.close();
        return std::nullopt;
    }
    if (!decodeEmpty(reply->data))
        return refuse<ServerVersion>(session, error, "login");
    return version;
}

} // namespace ncp
