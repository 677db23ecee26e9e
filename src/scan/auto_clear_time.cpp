// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/auto_clear_time.h"

#include <QRegularExpression>

namespace quorvex {

namespace {

int twoDigitYear(int yy)
{
    return yy < 50 ? 2000 + yy : 1900 + yy;
}

} // namespace

std::optional<QDate> parseAutoClearDate(const QString& text)
{
    // The backreference keeps one separator per text: "04/21-04" is no date.
    static const QRegularExpression form(
        QStringLiteral("^(\\d{1,2})([/-])(\\d{1,2})\\2(\\d{2}|\\d{4})$"));
    const QRegularExpressionMatch m = form.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const int month = m.captured(1).toInt();
    const int day = m.captured(3).toInt();
    const QString yearText = m.captured(4);
    const int year = yearText.size() == 2 ? twoDigitYear(yearText.toInt()) : yearText.toInt();
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<QTime> parseAutoClearTime(const QString& text)
{
    static const QRegularExpression form(
        QStringLiteral("^(\\d{1,2}):(\\d{2})(?::(\\d{2}))?(?:\\s?([ap]m))?$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = form.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    int hour = m.captured(1).toInt();
    const int minute = m.captured(2).toInt();
    const int second = m.captured(3).isEmpty() ? 0 : m.captured(3).toInt();
    const QString half = m.captured(4).toLower();
    if (!half.isEmpty()) {
        if (hour < 1 || hour > 12)
            return std::nullopt;
        hour %= 12; // 12 am is midnight, 12 pm is noon
        if (half == QLatin1String("pm"))
            hour += 12;
    }
    if (!QTime::isValid(hour, minute, second))
        return std::nullopt;
    return QTime(hour, minute, second);
}

bool autoClearDue(const QString& dateText, const QString& timeText, const QDateTime& now)
{
    const bool hasDate = !dateText.trimmed().isEmpty();
    const bool hasTime = !timeText.trimmed().isEmpty();
    if (hasDate && hasTime) {
        const auto date = parseAutoClearDate(dateText);
        const auto time = parseAutoClearTime(timeText);
        if (!date || !time)
            return false;
        return now > QDateTime(*date, *time, now.timeSpec());
    }
    if (hasDate) {
        const auto date = parseAutoClearDate(dateText);
        return date && now.date() > *date;
    }
    if (hasTime) {
        const auto time = parseAutoClearTime(timeText);
        return time && now.time() > *time;
    }
    return false;
}

} // namespace quorvex
