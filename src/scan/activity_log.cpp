#include "scan/activity_log.h"

#include "scan/watch_stamps.h"

#include <QFile>
#include <QFileInfo>

namespace quorvex {

namespace {

// Writes one line at a time; a file that did not open swallows the lines.
class LogWriter
{
public:
    LogWriter(const QString& path, QIODevice::OpenMode mode) : file_(path)
    {
        open_ = file_.open(mode);
    }

    void line(const QString& text)
    {
        if (open_)
            file_.write((text + QStringLiteral("\r\n")).toUtf8());
    }

private:
    QFile file_;
    bool open_ = false;
};

void writeHeader(LogWriter& log, const QString& longPath, const QDateTime& now)
{
    log.line(QStringLiteral("TIMESTAMP: ") + logHeaderDate(now) + QStringLiteral("   ") +
             logHeaderTime(now));
    log.line(QStringLiteral("FILE: ") + longPath.toUpper());
}

} // namespace

QString ActivityLog::fileNameFor(const QString& scannedFileName)
{
    const qsizetype dot = scannedFileName.indexOf(QLatin1Char('.'));
    const QString stem = dot < 0 ? scannedFileName : scannedFileName.left(dot);
    return stem + QStringLiteral(".txt");
}

void ActivityLog::write(const QString& logPath, const QString& scannedLongPath,
                        const QStringList& users, QStringList& previousUsers, bool overwrite,
                        const QDateTime& now)
{
    const QString stamp = logLineStamp(now);
    if (overwrite) {
        LogWriter log(logPath, QIODevice::WriteOnly | QIODevice::Truncate);
        writeHeader(log, scannedLongPath, now);
        for (const QString& user : users)
            log.line(QStringLiteral("IN: ") + user + stamp);
        return;
    }

    const bool existed = QFileInfo(logPath).isFile();
    LogWriter log(logPath, QIODevice::WriteOnly | QIODevice::Append);
    if (!existed)
        writeHeader(log, scannedLongPath, now);

    if (previousUsers.isEmpty()) {
        for (const QString& user : users) {
            previousUsers.append(user);
            log.line(QStringLiteral("IN: ") + user + stamp);
        }
        return;
    }

    // Both comparisons are indexed: with thousands of users on each side a
    // line-by-line prefix search would dominate the rescan.
    if (!haveIndex_ || !previousUsers.isSharedWith(indexedPrevious_))
        previousIndex_ = PrefixIndex(previousUsers);
    const QStringList userKeys = PrefixIndex::keys(users);
    for (qsizetype i = 0; i < users.size(); ++i) {
        if (!previousIndex_.anyKeyBeginsWith(userKeys.at(i)))
            log.line(QStringLiteral("IN: ") + users.at(i) + stamp);
    }
    PrefixIndex currentIndex = PrefixIndex::fromKeys(userKeys);
    for (const QString& previous : previousUsers) {
        if (!currentIndex.anyLineBeginsWith(previous))
            log.line(QStringLiteral("OUT: ") + previous + stamp);
    }
    previousUsers = users;
    indexedPrevious_ = users;
    previousIndex_ = std::move(currentIndex);
    haveIndex_ = true;
}

} // namespace quorvex
