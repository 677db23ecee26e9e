// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/watch_stamps.h"

#include "scan/result_text.h"

namespace quorvex {

namespace {

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n % 100, 2, 10, QLatin1Char('0'));
}

// "hh:mm[:ss] am", the hours 01 to 12.
QString clockTime(const QTime& t, bool seconds, const QLocale& locale)
{
    const QString separator = timeSeparator(locale);
    const int hour12 = t.hour() % 12 == 0 ? 12 : t.hour() % 12;
    QString text = twoDigits(hour12) + separator + twoDigits(t.minute());
    if (seconds)
        text += separator + twoDigits(t.second());
    return text + (t.hour() < 12 ? QStringLiteral(" am") : QStringLiteral(" pm"));
}

// "mm/dd/yy".
QString shortDate(const QDate& d, const QLocale& locale)
{
    const QString separator = dateSeparator(locale);
    return twoDigits(d.month()) + separator + twoDigits(d.day()) + separator + twoDigits(d.year());
}

} // namespace

QString logHeaderTime(const QDateTime& now, const QLocale& locale)
{
    return clockTime(now.time(), true, locale);
}

QString logHeaderDate(const QDateTime& now, const QLocale& locale)
{
    return locale.toString(now.date(), QLocale::LongFormat);
}

QString logLineStamp(const QDateTime& now, const QLocale& locale)
{
    return QStringLiteral("   ") + shortDate(now.date(), locale) + QStringLiteral("   ") +
           clockTime(now.time(), true, locale);
}

QString messageStamp(const QDateTime& now, const QLocale& locale)
{
    return clockTime(now.time(), false, locale) + QStringLiteral(", ") +
           shortDate(now.date(), locale);
}

} // namespace quorvex
