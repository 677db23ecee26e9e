// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The --listen argument of quorvex-ncpd: HOST:PORT, [IPv6]:PORT.

#include <QHostAddress>
#include <QString>

#include <optional>

struct ListenAddress
{
    QHostAddress host;
    quint16 port = 0;
};

// nullopt for anything that is not a literal address and a port 0-65535.
std::optional<ListenAddress> parseListenAddress(const QString& text);
