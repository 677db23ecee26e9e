// SPDX-License-Identifier: GPL-3.0-or-later
#include "listen_address.h"

std::optional<ListenAddress> parseListenAddress(const QString& text)
{
    const qsizetype colon = text.lastIndexOf(QLatin1Char(':'));
    if (colon <= 0)
        return std::nullopt;
    QString host = text.left(colon);
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
        host = host.mid(1, host.size() - 2);
    else if (host.contains(QLatin1Char(':')))
        return std::nullopt; // an IPv6 address needs its brackets
    bool ok = false;
    const uint port = text.mid(colon + 1).toUInt(&ok);
    ListenAddress address;
    if (!ok || port > 65535 || !address.host.setAddress(host))
        return std::nullopt;
    address.port = quint16(port);
    return address;
}
