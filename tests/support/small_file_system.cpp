// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/small_file_system.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {
const char* const kFiller = ".filler";
}

SmallFileSystem::SmallFileSystem(int kilobytes)
{
    if (::geteuid() != 0) {
        whyNot_ = QStringLiteral("a full file system needs a tmpfs, which only root can mount "
                                 "(CI runs the suite as root)");
        return;
    }
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k,mode=0755";
    if (::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                options.constData()) != 0) {
        whyNot_ =
            QStringLiteral("cannot mount a tmpfs: ") + QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    mounted_ = true;
}

SmallFileSystem::~SmallFileSystem()
{
    if (mounted_)
        ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
}

bool SmallFileSystem::fill()
{
    const QByteArray name = QFile::encodeName(filePath(QLatin1String(kFiller)));
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const QByteArray page(4096, 'x');
    ssize_t n = 0;
    do
        n = ::write(fd, page.constData(), std::size_t(page.size()));
    while (n > 0);
    const bool full = errno == ENOSPC;
    ::close(fd);
    return full;
}

void SmallFileSystem::unfill()
{
    QFile::remove(filePath(QLatin1String(kFiller)));
}
