// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/activity_log.h"

#include "scan/watch_stamps.h"

#include "platform/file_writes.h"

#include <QFileInfo>

namespace quorvex {

// The lines of one logged scan, written to the file in one go.
class LogLines
{
public:
    void line(const QString& text) { bytes_ += (text + QStringLiteral("\r\n")).toUtf8(); }
    const QByteArray& bytes() const { return bytes_; }

private:
    QByteArray bytes_;
};

namespace {

void writeHeader(LogLines& log, const QString& longPath, const QDateTime& now)
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

bool ActivityLog::write(const QString& logPath, const QString& scannedLongPath,
                        const QStringList& users, QStringList& previousUsers, bool overwrite,
                        const QDateTime& now, QString* error)
{
    const QString stamp = logLineStamp(now);
    LogLines log;
    if (overwrite) {
        writeHeader(log, scannedLongPath, now);
        for (const QString& user : users)
            log.line(QStringLiteral("IN: ") + user + stamp);
        // Started afresh, but only once the new start is written whole.
        return replaceFile(logPath, log.bytes(), error);
    }

    if (!QFileInfo(logPath).isFile())
        writeHeader(log, scannedLongPath, now);
    if (previousUsers.isEmpty()) {
        for (const QString& user : users) {
            previousUsers.append(user);
            log.line(QStringLiteral("IN: ") + user + stamp);
        }
    } else {
        compare(log, users, previousUsers, stamp);
    }
    return log.bytes().isEmpty() || appendToFile(logPath, log.bytes(), error);
}

void ActivityLog::compare(LogLines& log, const QStringList& users, QStringList& previousUsers,
                          const QString& stamp)
{
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
