// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncp/ncp_server_spec.h"

#include <QStringList>

namespace ncp {
namespace {

const QLatin1String kScheme("ncp:");

std::optional<NcpServerSpec> refuse(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return std::nullopt;
}

} // namespace

bool isNcpServerSpec(const QString& value)
{
    return value.startsWith(kScheme, Qt::CaseInsensitive);
}

std::optional<NcpServerSpec> parseNcpServerSpec(const QString& value, QString* error)
{
    if (!isNcpServerSpec(value))
        return refuse(error, QStringLiteral("not an \"ncp:\" server"));
    const QStringList parts = value.mid(kScheme.size()).split(QLatin1Char(';'));
    if (parts.size() > 4)
        return refuse(error, QStringLiteral("too many \";\" fields"));
    NcpServerSpec spec;
    QString address = parts[0].trimmed();
    QString port;
    if (address.startsWith(QLatin1Char('['))) {
        const qsizetype close = address.indexOf(QLatin1Char(']'));
        if (close < 0)
            return refuse(error, QStringLiteral("unclosed \"[\" in the address"));
        const QString rest = address.mid(close + 1);
        if (!rest.isEmpty() && !rest.startsWith(QLatin1Char(':')))
            return refuse(error, QStringLiteral("text after the bracketed address"));
        port = rest.mid(1);
        if (rest.startsWith(QLatin1Char(':')) && port.isEmpty())
            return refuse(error, QStringLiteral("empty port"));
        address = address.mid(1, close - 1);
    } else if (const qsizetype colon = address.indexOf(QLatin1Char(':')); colon >= 0) {
        if (address.indexOf(QLatin1Char(':'), colon + 1) >= 0)
            return refuse(error, QStringLiteral("an IPv6 address needs brackets"));
        port = address.mid(colon + 1);
        if (port.isEmpty())
            return refuse(error, QStringLiteral("empty port"));
        address = address.left(colon);
    }
    if (address.isEmpty())
        return refuse(error, QStringLiteral("no host"));
    spec.host = address;
    if (!port.isEmpty()) {
        bool ok = false;
        const uint number = port.toUInt(&ok, 10);
        // toUInt accepts a leading '+' or spaces; a port is plain digits.
        for (const QChar c : port)
            ok = ok && c.isDigit();
        if (!ok || number == 0 || number > 65535)
            return refuse(error, QStringLiteral("bad port \"%1\"").arg(port));
        spec.port = std::uint16_t(number);
    }
    if (parts.size() > 1)
        spec.user = parts[1].trimmed();
    for (qsizetype i = 2; i < parts.size(); ++i) {
        const QString field = parts[i].trimmed();
        if (spec.user.isEmpty())
            return refuse(error, QStringLiteral("\"%1\" without a user").arg(field));
        if (field.compare(QLatin1String("bindery"), Qt::CaseInsensitive) == 0 &&
            !spec.binderyOnly) {
            spec.binderyOnly = true;
            continue;
        }
        if (!field.startsWith(QLatin1String("@/")) || !spec.passwordFile.isEmpty())
            return refuse(error, QStringLiteral("after the user only \"@/absolute/path\" (the "
                                                "password file) and \"bindery\" may follow"));
        spec.passwordFile = field.mid(1);
    }
    return spec;
}

} // namespace ncp
