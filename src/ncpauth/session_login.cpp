// SPDX-License-Identifier: GPL-3.0-or-later
// How a session logs in: the choice between the directory and the bindery,
// the password, and what the password source hears of it (see
// ncp/bindery_login.h).

#include "ncp/bindery_login.h"
#include "ncp/ncp_session.h"
#include "ncp/password_source.h"
#include "ncp/server_text.h"
#include "ncpauth/ds_login.h"
#include "ncpauth/ds_login_requests.h"
#include "ncpauth/random_source.h"

namespace ncp {
namespace {

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

QString refusalText(LoginRefusal why, const QString& code, const QString& user)
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
        return QStringLiteral("login refused (%1)").arg(code);
    }
}

// A directory error as the bindery's completion code where it mirrors one
// (-1 to -255); a wrong password is "failed authentication" there.
std::uint8_t completionOf(std::int32_t directoryError)
{
    if (directoryError == kDsErrFailedAuthentication)
        return 0xFF;
    if (directoryError < 0 && directoryError > -256)
        return std::uint8_t(-directoryError);
    return 0;
}

class Login
{
public:
    Login(NcpSession& session, const LoginTarget& target, PasswordSource* passwords, QString* error)
        : session_(session), target_(target), passwords_(passwords), error_(error)
    {
    }

    bool run(const ServerVersion& version)
    {
        std::optional<QString> password = QString();
        if (passwords_)
            password = passwords_->password(target_.server, target_.user, target_.passwordFile);
        if (!password) {
            *error_ = QStringLiteral("no password for %1 on %2").arg(target_.user, target_.server);
            session_.close();
            return false;
        }
        // Names and passwords are kept upper-cased, in the servers' one
        // single-byte encoding: a character that has no byte there is not
        // sent as a stand-in, which would be another password and a strike
        // against the account.
        const auto name = serverText(binderyUpper(target_.user));
        auto secret = serverText(binderyUpper(*password));
        password->fill(QChar());
        if (!name || !secret) {
            *error_ =
                QStringLiteral("the %1 of %2 has a character servers cannot receive")
                    .arg(name ? QStringLiteral("password") : QStringLiteral("name"), target_.user);
            if (passwords_)
                passwords_->refused(target_.server, target_.user, LoginRefusal::Unencodable, 0);
            session_.close();
            return false;
        }
        const bool ok = login(version, *secret);
        secret->fill('\0');
        return ok;
    }

private:
    bool login(const ServerVersion& version, const QByteArray& secret)
    {
        const QString& user = target_.user;
        if (target_.binderyOnly)
            return bindery(user, secret);
        if (version.major <= 3) {
            if (hasContext(user))
                tell(QStringLiteral("%1 has no directory services: logged in to its bindery as %2")
                         .arg(target_.server, leafName(user)));
            return bindery(hasContext(user) ? leafName(user) : user, secret);
        }
        RandomSource& random =
            session_.options().random ? *session_.options().random : systemRandom();
        const DsLoginResult ds = directoryLogin(session_, user, secret, random);
        switch (ds.kind) {
        case DsLoginResult::Kind::LoggedIn:
            if (ds.grace && passwords_)
                passwords_->graceLogin(target_.server, user, ds.graceLeft);
            return true;
        case DsLoginResult::Kind::NoDirectory:
            tell(QStringLiteral("%1 has no directory services: logged in to its bindery as %2")
                     .arg(target_.server, leafName(user)));
            return bindery(leafName(user), secret);
        case DsLoginResult::Kind::NotFound:
        case DsLoginResult::Kind::NoKeys:
            if (!hasContext(user)) {
                tell(QStringLiteral("%1: %2; logged in to its bindery instead (add \";bindery\" to "
                                    "the server's entry to go there at once)")
                         .arg(target_.server, ds.error));
                return bindery(user, secret);
            }
            *error_ = ds.error;
            session_.close();
            return false;
        case DsLoginResult::Kind::Refused: {
            const std::uint8_t completion = completionOf(ds.directoryError);
            refused(completion, QStringLiteral("directory error %1").arg(ds.directoryError));
            return false;
        }
        case DsLoginResult::Kind::Failed:
            break;
        }
        *error_ = ds.error;
        return false;
    }

    bool bindery(const QString& user, const QByteArray& secret)
    {
        const auto name = serverText(binderyUpper(user));
        const BinderyLogin b = binderyLogin(session_, *name, secret);
        switch (b.kind) {
        case BinderyLogin::Kind::LoggedIn:
            if (b.grace && passwords_)
                passwords_->graceLogin(target_.server, target_.user, b.graceLeft);
            return true;
        case BinderyLogin::Kind::Refused:
            refused(b.completion,
                    QStringLiteral("completion 0x%1").arg(b.completion, 2, 16, QLatin1Char('0')));
            return false;
        case BinderyLogin::Kind::Failed:
            break;
        }
        *error_ = b.error;
        return false;
    }

    void refused(std::uint8_t completion, const QString& code)
    {
        const LoginRefusal why = refusal(completion);
        if (passwords_)
            passwords_->refused(target_.server, target_.user, why, completion);
        *error_ = refusalText(why, code, target_.user);
        session_.close();
    }

    void tell(const QString& text)
    {
        if (passwords_)
            passwords_->notice(target_.server, target_.user, text);
    }

    NcpSession& session_;
    const LoginTarget& target_;
    PasswordSource* passwords_;
    QString* error_;
};

} // namespace

std::optional<ServerVersion> setUpSession(NcpSession& session, const LoginTarget& target,
                                          PasswordSource* passwords, QString* error)
{
    QString ignored;
    if (!error)
        error = &ignored;
    const auto reply = session.call(versionRequest().function, versionRequest().subfunction,
                                    versionRequest().data);
    if (!reply) {
        *error = session.error();
        return std::nullopt;
    }
    const auto version = reply->completion == 0 ? decodeVersion(reply->data) : std::nullopt;
    if (!version) {
        *error = reply->completion ? QStringLiteral("version refused (completion 0x%1)")
                                         .arg(reply->completion, 2, 16, QLatin1Char('0'))
                                   : QStringLiteral("malformed version reply");
        session.abort(*error);
        return std::nullopt;
    }
    if (target.user.isEmpty())
        return version;
    if (!Login(session, target, passwords, error).run(*version))
        return std::nullopt;
    return version;
}

} // namespace ncp
