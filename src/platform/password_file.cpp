// SPDX-License-Identifier: GPL-3.0-or-later
#include "password_file.h"

#include <QFile>
#include <QStringDecoder>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvex {

namespace {

// A password is one short line; reading stops here whatever the file holds.
constexpr qsizetype kMaxRead = 4096;

QString modeText(mode_t mode)
{
    return QStringLiteral("0%1").arg(mode & 07777, 3, 8, QLatin1Char('0'));
}

QString whyOpenToOthers(mode_t mode)
{
    const char* what = (mode & 0044)   ? "readable by others"
                       : (mode & 0022) ? "writable by others"
                                       : "executable by others";
    return QStringLiteral("%1 (mode %2); make it 0600")
        .arg(QLatin1String(what), modeText(mode & 07777));
}

class Fd
{
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

PasswordFile PasswordFile::refused(const QString& path, const QString& why)
{
    PasswordFile file;
    file.m_refusal = QStringLiteral("Password file %1: %2").arg(path, why);
    return file;
}

PasswordFile::~PasswordFile()
{
    // Best effort: do not leave the secret in freed memory.
    m_password.fill('\0');
}

PasswordFile::PasswordFile(PasswordFile&& other) noexcept
    : m_password(std::move(other.m_password)), m_refusal(std::move(other.m_refusal))
{
}

QString PasswordFile::passwordText() const
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(m_password);
    if (utf8.hasError()) {
        text.fill(QChar());
        return QString::fromLatin1(m_password);
    }
    return text;
}

std::optional<std::int64_t> PasswordFile::modified(const QString& path)
{
    struct stat st
    {
    };
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    return std::int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

PasswordFile PasswordFile::read(const QString& path)
{
    return read(path, ::geteuid());
}

PasswordFile PasswordFile::read(const QString& path, uid_t owner)
{
    if (path.isEmpty())
        return refused(path, QStringLiteral("no file named"));
    // Checked on the open descriptor, not the name, so the file cannot be
    // swapped between check and read. O_NOFOLLOW refuses a link in the last
    // component; O_NONBLOCK keeps a FIFO from hanging the open.
    const QByteArray name = path.toLocal8Bit();
    const Fd fd(::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) {
        const int err = errno;
        if (err == ELOOP)
            return refused(path, QStringLiteral("a symbolic link; name the file itself"));
        return refused(path, QString::fromLocal8Bit(std::strerror(err)));
    }
    struct stat st
    {
    };
    if (::fstat(fd.get(), &st) != 0)
        return refused(path, QString::fromLocal8Bit(std::strerror(errno)));
    if (S_ISDIR(st.st_mode))
        return refused(path, QStringLiteral("a directory, not a file"));
    if (!S_ISREG(st.st_mode))
        return refused(path, QStringLiteral("not a regular file"));
    if (st.st_uid != owner)
        return refused(path, QStringLiteral("owned by another user (uid %1, expected %2)")
                                 .arg(st.st_uid)
                                 .arg(owner));
    if (st.st_mode & 0077)
        return refused(path, whyOpenToOthers(st.st_mode));

    QByteArray data(kMaxRead, '\0');
    qsizetype got = 0;
    const char* newline = nullptr;
    while (!newline && got < data.size()) {
        const ssize_t n = ::read(fd.get(), data.data() + got, std::size_t(data.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int err = errno;
            data.fill('\0');
            return refused(path, QString::fromLocal8Bit(std::strerror(err)));
        }
        if (n == 0)
            break;
        newline =
            static_cast<const char*>(std::memchr(data.constData() + got, '\n', std::size_t(n)));
        got += n;
    }
    if (!newline && got == data.size()) {
        data.fill('\0');
        return refused(path,
                       QStringLiteral("the first line is longer than %1 bytes").arg(kMaxRead));
    }
    qsizetype end = newline ? newline - data.constData() : got;
    if (end > 0 && data[end - 1] == '\r')
        --end;
    PasswordFile file;
    file.m_password = data.left(end);
    data.fill('\0');
    return file;
}

} // namespace quorvex
