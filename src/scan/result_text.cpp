// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/result_text.h"

#include <QLocale>

namespace quorvex {

namespace {

// Appends "name," for each set bit, then drops the final comma.
template <typename Word, std::size_t N>
QString joinBits(Word value, const std::pair<Word, const char*> (&names)[N])
{
    QString text;
    for (const auto& [bit, name] : names) {
        if (value & bit) {
            text += QLatin1String(name);
            text += QLatin1Char(',');
        }
    }
    if (!text.isEmpty())
        text.chop(1);
    return text;
}

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

template <std::size_t N> void appendHex(QString& text, const std::array<std::uint8_t, N>& bytes)
{
    for (std::uint8_t b : bytes)
        text += QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
}

} // namespace

QString openedText(std::uint8_t lockType)
{
    return lockType == 8 ? QStringLiteral("Shareable") : QStringLiteral("Exclusive");
}

QString fileRightsText(std::uint8_t accessControl)
{
    static const std::pair<std::uint8_t, const char*> names[] = {
        {0x01, "Read"}, {0x02, "Write"}, {0x04, "Deny Read"}, {0x08, "Deny Write"}};
    return joinBits(accessControl, names);
}

QString lockedText(std::uint8_t lockFlag)
{
    return lockFlag != 0 ? QStringLiteral("Yes") : QStringLiteral("No");
}

QString RightsToText(std::uint16_t rights)
{
    static const std::pair<std::uint16_t, const char*> names[] = {
        {0x0001, "Read"},       {0x0002, "Write"},    {0x0008, "Create"}, {0x0010, "Delete"},
        {0x0020, "AccessCtrl"}, {0x0040, "FileScan"}, {0x0080, "Modify"}, {0x0100, "Supervisor"}};
    return joinBits(rights, names);
}

QString weekdayName(int weekday)
{
    static const char* const names[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                        "Thursday", "Friday", "Saturday"};
    if (weekday < 0 || weekday > 6)
        return {};
    return QLatin1String(names[weekday]);
}

QString loginText(std::span<const std::uint8_t, 7> loginTime, const QString& timeSeparator)
{
    const int year = loginTime[0];
    const int month = loginTime[1];
    const int day = loginTime[2];
    // Out-of-range hours and minutes carry over the way a time value does, so the
    // text is always a valid clock time.
    const int minutes = (loginTime[3] * 60 + loginTime[4]) % (24 * 60);
    const int hour24 = minutes / 60;
    const int minute = minutes % 60;
    const int hour12 = hour24 % 12 == 0 ? 12 : hour24 % 12;

    const QString yearText = QString::number(year).right(2);
    return weekdayName(loginTime[6]) + QStringLiteral(", ") + QString::number(month) +
           QLatin1Char('/') + QString::number(day) + QLatin1Char('/') + yearText +
           QStringLiteral(", ") + twoDigits(hour12) + timeSeparator + twoDigits(minute) +
           (hour24 < 12 ? QStringLiteral(" am") : QStringLiteral(" pm"));
}

namespace {

// The literal text between the first two adjacent fields of a date or time
// format that both count as numbers, unquoted; empty when there are none.
QString separatorBetweenNumbers(const QString& format, bool (*numeric)(QChar, qsizetype))
{
    bool afterNumber = false;
    QString literal;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format.at(i);
        if (c.isLetter()) {
            qsizetype run = 1;
            while (i + run < format.size() && format.at(i + run) == c)
                ++run;
            const bool isNumber = numeric(c, run);
            if (afterNumber && isNumber && !literal.isEmpty())
                return literal;
            afterNumber = isNumber;
            literal.clear();
            i += run;
        } else if (c == QLatin1Char('\'')) {
            const qsizetype end = format.indexOf(QLatin1Char('\''), i + 1);
            literal += format.mid(i + 1, (end < 0 ? format.size() : end) - i - 1);
            i = end < 0 ? format.size() : end + 1;
        } else {
            literal += c;
            ++i;
        }
    }
    return QString();
}

bool numericDateField(QChar c, qsizetype run)
{
    return c == QLatin1Char('y') || ((c == QLatin1Char('d') || c == QLatin1Char('M')) && run <= 2);
}

bool numericTimeField(QChar c, qsizetype)
{
    return c == QLatin1Char('h') || c == QLatin1Char('H') || c == QLatin1Char('m') ||
           c == QLatin1Char('s');
}

} // namespace

QString dateSeparator(const QLocale& locale)
{
    const QString separator =
        separatorBetweenNumbers(locale.dateFormat(QLocale::ShortFormat), numericDateField);
    return separator.isEmpty() ? QStringLiteral("/") : separator;
}

QString timeSeparator(const QLocale& locale)
{
    const QString separator =
        separatorBetweenNumbers(locale.timeFormat(QLocale::ShortFormat), numericTimeField);
    return separator.isEmpty() ? QStringLiteral(":") : separator;
}

QString systemTimeSeparator()
{
    return timeSeparator(QLocale::system());
}

QString addressText(const nw::NWINET_ADDR& address)
{
    const int type = address.connType & 0xFF;
    if (type == 11) {
        return QStringLiteral("IP:%1.%2.%3.%4")
            .arg(address.network[0])
            .arg(address.network[1])
            .arg(address.network[2])
            .arg(address.network[3]);
    }
    QString text;
    if (type == 2)
        text = QStringLiteral("IPX:");
    else if (type == 3)
        text = QStringLiteral("AFP:");
    appendHex(text, address.network);
    text += QLatin1Char(':');
    appendHex(text, address.node);
    text += QLatin1Char(':');
    appendHex(text, address.socket);
    return text;
}

} // namespace quorvex
