// SPDX-License-Identifier: GPL-3.0-or-later
#include "netware/sim_path.h"

#include "platform/host_file_stat.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cstring>

namespace nw {

namespace {

// Whether a path is in its normal form already (as it nearly always is in a
// state file): upper-case ASCII, backslashes, no empty part, none at the end.
bool isNormalNwPath(const QString& path)
{
    char16_t previous = 0;
    for (const QChar c : path) {
        const char16_t u = c.unicode();
        if (u >= 0x80 || (u >= u'a' && u <= u'z') || u == u'/')
            return false;
        if (u == u'\\' && (previous == 0 || previous == u'\\' || previous == u':'))
            return false;
        previous = u;
    }
    return previous != u'\\';
}

} // namespace

QString normalizeNwPath(const QString& path)
{
    if (isNormalNwPath(path))
        return path;
    QString text = path.toUpper();
    text.replace(QLatin1Char('/'), QLatin1Char('\\'));
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c == QLatin1Char('\\') &&
            (out.isEmpty() || out.endsWith(QLatin1Char('\\')) || out.endsWith(QLatin1Char(':'))))
            continue;
        out.append(c);
    }
    while (out.endsWith(QLatin1Char('\\')))
        out.chop(1);
    return out;
}

std::optional<NwPath> splitNwPath(const QString& path)
{
    const qsizetype colon = path.indexOf(QLatin1Char(':'));
    if (colon <= 0)
        return std::nullopt;
    QString rest = path.mid(colon + 1);
    rest.replace(QLatin1Char('/'), QLatin1Char('\\'));
    const QStringList parts = rest.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    return NwPath{path.left(colon), parts.join(QLatin1Char('\\'))};
}

std::pair<QString, QString> splitLast(const QString& relative)
{
    const qsizetype sep = relative.lastIndexOf(QLatin1Char('\\'));
    return sep < 0 ? std::pair(QString(), relative)
                   : std::pair(relative.left(sep), relative.mid(sep + 1));
}

std::optional<QString> fromUncPath(const QString& text)
{
    if (!text.startsWith(QLatin1String("\\\\")))
        return text;
    const QStringList parts = text.mid(2).split(QLatin1Char('\\'));
    if (parts.size() < 2 || parts[0].isEmpty() || parts[1].isEmpty())
        return std::nullopt;
    return parts[0] + QLatin1Char('\\') + parts[1] + QLatin1Char(':') +
           parts.mid(2).join(QLatin1Char('\\'));
}

QString joinNwPath(const QString& a, const QString& b)
{
    QString all = a + QLatin1Char('\\') + b;
    all.replace(QLatin1Char('/'), QLatin1Char('\\'));
    const QStringList parts = all.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    return parts.join(QLatin1Char('\\'));
}

std::optional<QString> findHostPath(const QString& root, const QString& relative)
{
    const QStringList parts = relative.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    for (const QString& part : parts)
        if (part == QLatin1String(".") || part == QLatin1String(".."))
            return std::nullopt; // never leave the volume
    // Most paths are written in the host's case: one look-up instead of a walk.
    QString current =
        parts.isEmpty() ? root : root + QLatin1Char('/') + parts.join(QLatin1Char('/'));
    if (QFileInfo::exists(current))
        return current;
    current = root;
    for (const QString& part : parts) {
        const QString direct = current + QLatin1Char('/') + part;
        if (QFileInfo::exists(direct)) {
            current = direct;
            continue;
        }
        const QStringList entries = QDir(current).entryList(QDir::AllEntries | QDir::Hidden |
                                                            QDir::System | QDir::NoDotAndDotDot);
        auto it = std::find_if(entries.begin(), entries.end(), [&](const QString& e) {
            return e.compare(part, Qt::CaseInsensitive) == 0;
        });
        if (it == entries.end())
            return std::nullopt;
        current += QLatin1Char('/') + *it;
    }
    if (!QFileInfo::exists(current))
        return std::nullopt;
    return current;
}

std::uint16_t packDate(const QDate& date)
{
    if (!date.isValid() || date.year() < 1980)
        return 0;
    const int year = std::min(date.year() - 1980, 127);
    return std::uint16_t(year << 9 | date.month() << 5 | date.day());
}

std::uint32_t packDateTime(const QDateTime& dateTime)
{
    if (!dateTime.isValid())
        return 0;
    const std::uint16_t date = packDate(dateTime.date());
    if (date == 0)
        return 0;
    const QTime t = dateTime.time();
    const std::uint16_t time = std::uint16_t(t.hour() << 11 | t.minute() << 5 | t.second() / 2);
    return std::uint32_t(date) << 16 | time;
}

std::uint32_t packLocalSeconds(qint64 secsSinceEpoch)
{
    return packDateTime(quorvex::localWallTime(secsSinceEpoch));
}

std::optional<QDateTime> parseStateTime(const QString& text, bool allowDateOnly)
{
    // Read by hand: QDateTime's own parser asks the time zone several times
    // per value (a look at /etc/localtime each), which was most of the time
    // a state of ten thousand connections took to load. A time in the state
    // is the server's wall-clock reading and is kept as its fields, with no
    // zone, so that none is lost to a daylight-saving change.
    const auto number = [&](qsizetype at, qsizetype digits) {
        int value = 0;
        for (qsizetype i = at; i < at + digits; ++i) {
            if (!text[i].isDigit() || text[i].unicode() > '9')
                return -1;
            value = value * 10 + (text[i].unicode() - '0');
        }
        return value;
    };
    const bool dateOnly = text.size() == 10;
    if (text.size() != 19 && !(dateOnly && allowDateOnly))
        return std::nullopt;
    if (text[4] != QLatin1Char('-') || text[7] != QLatin1Char('-'))
        return std::nullopt;
    const int year = number(0, 4), month = number(5, 2), day = number(8, 2);
    if (year < 0 || month < 0 || day < 0 || !QDate::isValid(year, month, day))
        return std::nullopt;
    const QDate date(year, month, day);
    if (dateOnly)
        return QDateTime(date, QTime(0, 0), Qt::UTC);
    if (text[10] != QLatin1Char(' ') || text[13] != QLatin1Char(':') ||
        text[16] != QLatin1Char(':'))
        return std::nullopt;
    const int hour = number(11, 2), minute = number(14, 2), second = number(17, 2);
    if (hour < 0 || minute < 0 || second < 0 || !QTime::isValid(hour, minute, second))
        return std::nullopt;
    return QDateTime(date, QTime(hour, minute, second), Qt::UTC);
}

QString formatStateTime(const QDateTime& dateTime)
{
    return dateTime.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

void copyToBuffer(std::span<char> buffer, const QByteArray& text)
{
    if (buffer.empty())
        return;
    const std::size_t n = std::min<std::size_t>(buffer.size() - 1, std::size_t(text.size()));
    std::memcpy(buffer.data(), text.constData(), n);
    buffer[n] = '\0';
}

} // namespace nw
