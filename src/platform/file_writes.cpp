// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_writes.h"

#include "termination_signals.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QtDebug>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvex {

namespace {

QString reasonOf(int code)
{
    if (code == EINTR && TerminationSignals::requested())
        return QStringLiteral("interrupted by a termination signal");
    return QString::fromLocal8Bit(std::strerror(code));
}

bool fail(QString* error, const QString& path, int code)
{
    if (error)
        *error = path + QStringLiteral(": ") + reasonOf(code);
    return false;
}

// Only a FIFO or a device can keep a call waiting for good (a FIFO without a
// reader, or one that stops reading): such a target is opened and written
// without blocking, and the wait watches for a termination signal, which
// abandons it. A regular file is opened and written as usual.
int openFile(const QByteArray& name, int flags, bool mayWait)
{
    for (;;) {
        if (mayWait && TerminationSignals::requested()) {
            errno = EINTR;
            return -1;
        }
        const int fd =
            ::open(name.constData(), flags | O_CLOEXEC | (mayWait ? O_NONBLOCK : 0), 0666);
        if (fd >= 0)
            return fd;
        if (errno == EINTR)
            continue;
        if (!mayWait || errno != ENXIO) // ENXIO: nobody reads the FIFO yet
            return -1;
        sleepUnlessTerminating(100);
    }
}

bool writeAll(int fd, const char* data, qint64 size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, std::size_t(size));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (errno != EAGAIN)
                return false;
            // A FIFO or device that takes nothing more for now.
            const int wake = TerminationSignals::wakeDescriptor();
            pollfd p[2] = {{fd, POLLOUT, 0}, {wake, POLLIN, 0}};
            ::poll(p, wake < 0 ? 1 : 2, -1);
            if (TerminationSignals::requested()) {
                errno = EINTR;
                return false;
            }
            continue;
        }
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

std::optional<struct stat> statOf(const QByteArray& name)
{
    struct stat st = {};
    if (::stat(name.constData(), &st) != 0)
        return std::nullopt;
    return st;
}

// The file a path names once symbolic links are followed (a dangling link names
// the file it would make).
QString targetOf(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.symLinkTarget() : canonical;
}

// The new content of a file, written beside it and renamed over it at commit;
// or, for a FIFO or a device, written where it is.
class Replacement
{
public:
    Replacement(const QString& path, QString* error) : error_(error), target_(targetOf(path)) {}
    ~Replacement()
    {
        if (fd_ >= 0)
            ::close(fd_);
        if (!tempName_.isEmpty())
            ::unlink(tempName_.constData());
    }
    Replacement(const Replacement&) = delete;
    Replacement& operator=(const Replacement&) = delete;

    bool begin(bool inPlaceIfFolderIsClosed)
    {
        const QByteArray name = QFile::encodeName(target_);
        const auto st = statOf(name);
        if (st && S_ISDIR(st->st_mode))
            return fail(error_, target_, EISDIR);
        if (st && !S_ISREG(st->st_mode))
            return beginInPlace(name, true);
        for (int attempt = 0; attempt < 100; ++attempt) {
            QByteArray temp =
                name + ".tmp" + QByteArray::number(QRandomGenerator::global()->generate(), 36);
            // The mode asked for passes through the umask, as any new file's does.
            fd_ = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ >= 0) {
                tempName_ = temp;
                if (st)
                    ::fchmod(fd_, st->st_mode & 07777);
                return true;
            }
            if (errno == EEXIST || errno == EINTR)
                continue;
            const int code = errno;
            const bool closed = code == EACCES || code == EPERM || code == EROFS;
            if (inPlaceIfFolderIsClosed && closed && st && ::access(name.constData(), W_OK) == 0)
                return beginInPlace(name, false);
            return fail(error_, target_, code);
        }
        return fail(error_, target_, EEXIST);
    }

    bool write(const char* data, qint64 size)
    {
        return writeAll(fd_, data, size) || fail(error_, target_, errno);
    }

    bool commit()
    {
        // A file system that delays allocation reports a full disk here.
        if (!waits_ && ::fdatasync(fd_) != 0 && errno != EINVAL && errno != EROFS)
            return fail(error_, target_, errno);
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0 && errno != EINTR)
            return fail(error_, target_, errno);
        if (tempName_.isEmpty())
            return true;
        if (::rename(tempName_.constData(), QFile::encodeName(target_).constData()) != 0)
            return fail(error_, target_, errno);
        tempName_.clear();
        return true;
    }

private:
    bool beginInPlace(const QByteArray& name, bool waits)
    {
        waits_ = waits;
        fd_ = openFile(name, O_WRONLY | O_TRUNC, waits_);
        return fd_ >= 0 || fail(error_, target_, errno);
    }

    QString* error_;
    QString target_;
    QByteArray tempName_;
    int fd_ = -1;
    bool waits_ = false; // a FIFO or a device
};

} // namespace

bool replaceFile(const QString& path, const QByteArray& bytes, QString* error,
                 bool inPlaceIfFolderIsClosed)
{
    Replacement file(path, error);
    return file.begin(inPlaceIfFolderIsClosed) && file.write(bytes.constData(), bytes.size()) &&
           file.commit();
}

bool appendToFile(const QString& path, const QByteArray& bytes, QString* error)
{
    const QByteArray name = QFile::encodeName(path);
    const auto before = statOf(name);
    const bool mayWait = before && !S_ISREG(before->st_mode);
    bool created = false;
    int fd = openFile(name, O_WRONLY | O_APPEND, mayWait);
    if (fd < 0 && errno == ENOENT) {
        fd = openFile(name, O_WRONLY | O_APPEND | O_CREAT | O_EXCL, false);
        created = fd >= 0;
    }
    if (fd < 0)
        return fail(error, path, errno);
    struct stat st = {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (!writeAll(fd, bytes.constData(), bytes.size())) {
        const int code = errno;
        if (created)
            ::unlink(name.constData());
        else if (regular && ::ftruncate(fd, st.st_size) != 0)
            qWarning("%s: could not be cut back to %lld bytes", name.constData(),
                     static_cast<long long>(st.st_size));
        ::close(fd);
        return fail(error, path, code);
    }
    if (::close(fd) != 0 && errno != EINTR) {
        const int code = errno;
        if (created)
            ::unlink(name.constData());
        else if (regular && ::truncate(name.constData(), st.st_size) != 0)
            qWarning("%s: could not be cut back", name.constData());
        return fail(error, path, code);
    }
    return true;
}

bool copyFileReplacing(const QString& from, const QString& to, QString* error)
{
    QFile source(from);
    if (from.isEmpty() || !source.open(QIODevice::ReadOnly)) {
        if (error)
            *error = from + QStringLiteral(": ") + source.errorString();
        return false;
    }
    Replacement target(to, error);
    if (to.isEmpty() || !target.begin(false))
        return false;
    char buffer[64 * 1024];
    for (;;) {
        const qint64 n = source.read(buffer, sizeof buffer);
        if (n < 0) {
            if (error)
                *error = from + QStringLiteral(": ") + source.errorString();
            return false;
        }
        if (n == 0)
            break;
        if (!target.write(buffer, n))
            return false;
    }
    return target.commit();
}

} // namespace quorvex
