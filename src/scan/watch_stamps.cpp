#include "scan/watch_stamps.h"

#include <QLocale>

namespace quorvex {

namespace {

// The C locale spells the day half "am"/"pm" in lower case with "ap".
QString cFormat(const QDateTime& t, const QString& pattern)
{
    return QLocale::c().toString(t, pattern);
}

} // namespace

QString logHeaderTime(const QDateTime& now)
{
    return cFormat(now, QStringLiteral("hh:mm:ss ap"));
}

QString logHeaderDate(const QDateTime& now)
{
    return QLocale::system().toString(now.date(), QLocale::LongFormat);
}

QString logLineStamp(const QDateTime& now)
{
    return QStringLiteral("   ") + cFormat(now, QStringLiteral("MM/dd/yy")) +
           QStringLiteral("   ") + cFormat(now, QStringLiteral("hh:mm:ss ap"));
}

QString messageStamp(const QDateTime& now)
{
    return cFormat(now, QStringLiteral("hh:mm ap, MM/dd/yy"));
}

} // namespace quorvex
