// SPDX-License-Identifier: GPL-3.0-or-later
#include "netware/sim_address.h"

#include <QJsonObject>
#include <QStringList>

namespace nw {
namespace {

// Exactly 2*N hex digits into N bytes.
template <std::size_t N> bool parseHex(QStringView text, std::array<std::uint8_t, N>& out)
{
    if (text.size() != qsizetype(2 * N))
        return false;
    for (std::size_t i = 0; i < N; ++i) {
        bool ok = false;
        const uint v = text.mid(qsizetype(2 * i), 2).toUInt(&ok, 16);
        if (!ok)
            return false;
        out[i] = std::uint8_t(v);
    }
    return true;
}

template <std::size_t N> QString hex(const std::array<std::uint8_t, N>& bytes)
{
    QString s;
    for (std::uint8_t b : bytes)
        s += QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
    return s;
}

} // namespace

std::optional<SimAddress> parseSimAddressText(const QString& text, QString* error)
{
    SimAddress a;
    // Read as views of the text: a state holds one address per connection.
    const QList<QStringView> parts = QStringView(text).split(QLatin1Char(':'));
    const QString kind = parts.value(0).toString().toUpper();
    if (kind == QLatin1String("IP") && parts.size() == 2) {
        const QList<QStringView> octets = parts[1].split(QLatin1Char('.'));
        bool good = octets.size() == 4;
        for (int i = 0; good && i < 4; ++i) {
            bool ok = false;
            const uint v = octets[i].toUInt(&ok);
            good = ok && v <= 255;
            a.network[i] = std::uint8_t(v);
        }
        if (good) {
            a.type = 11;
            return a;
        }
    } else if ((kind == QLatin1String("IPX") || kind == QLatin1String("AFP")) &&
               parts.size() == 4) {
        if (parseHex(parts[1], a.network) && parseHex(parts[2], a.node) &&
            parseHex(parts[3], a.socket)) {
            a.type = kind == QLatin1String("IPX") ? 2 : 3;
            return a;
        }
    }
    if (error)
        *error =
            QStringLiteral("\"%1\" is not an address (IP:a.b.c.d, IPX:NNNNNNNN:NNNNNNNNNNNN:NNNN "
                           "or AFP:…)")
                .arg(text);
    return std::nullopt;
}

std::optional<SimAddress> parseSimAddress(const QJsonValue& value, QString* error)
{
    if (value.isUndefined() || value.isNull())
        return SimAddress{};
    if (value.isString())
        return parseSimAddressText(value.toString(), error);
    if (!value.isObject()) {
        if (error)
            *error = QStringLiteral("must be a text or an object");
        return std::nullopt;
    }
    const QJsonObject o = value.toObject();
    SimAddress a;
    const double type = o.value(QLatin1String("type")).toDouble(-1);
    const bool good =
        type >= 0 && type <= 65535 && type == double(int(type)) &&
        parseHex(o.value(QLatin1String("network")).toString(QStringLiteral("00000000")),
                 a.network) &&
        parseHex(o.value(QLatin1String("node")).toString(QStringLiteral("000000000000")), a.node) &&
        parseHex(o.value(QLatin1String("socket")).toString(QStringLiteral("0000")), a.socket);
    if (!good) {
        if (error)
            *error =
                QStringLiteral("needs a type 0..65535 and hex network (8), node (12), socket (4)");
        return std::nullopt;
    }
    a.type = std::uint16_t(type);
    return a;
}

QJsonValue simAddressToJson(const SimAddress& a)
{
    if (a.type == 11)
        return QStringLiteral("IP:%1.%2.%3.%4")
            .arg(a.network[0])
            .arg(a.network[1])
            .arg(a.network[2])
            .arg(a.network[3]);
    if (a.type == 2 || a.type == 3)
        return QStringLiteral("%1:%2:%3:%4")
            .arg(a.type == 2 ? QLatin1String("IPX") : QLatin1String("AFP"), hex(a.network),
                 hex(a.node), hex(a.socket));
    const SimAddress zero;
    if (a.type == 0 && a.network == zero.network && a.node == zero.node && a.socket == zero.socket)
        return QJsonValue(QJsonValue::Null);
    QJsonObject o;
    o.insert(QLatin1String("type"), a.type);
    o.insert(QLatin1String("network"), hex(a.network));
    o.insert(QLatin1String("node"), hex(a.node));
    o.insert(QLatin1String("socket"), hex(a.socket));
    return o;
}

} // namespace nw
