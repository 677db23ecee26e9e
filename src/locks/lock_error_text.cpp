// SPDX-License-Identifier: GPL-3.0-or-later
#include "locks/lock_error_text.h"

namespace quorvex {

QString fileLockErrorText(nw::NWCCODE code)
{
    switch (code) {
    case nw::kInvalidConnection:
        return QStringLiteral("invalid connection.");
    case nw::kNlmInvalidConnection:
        return QStringLiteral("invalid NLM connection.");
    case nw::kServerOutOfMemory:
        return QStringLiteral("server out of memory.");
    case nw::kVolumeDoesNotExist:
        return QStringLiteral("volume does not exist.");
    case nw::kBadDirectoryHandle:
        return QStringLiteral("bad directory handle.");
    case nw::kInvalidPath:
        return QStringLiteral("invalid path.");
    case nw::kDirectoryIoError:
        return QStringLiteral("directory I/O error.");
    case nw::kBadStationNumber:
        return QStringLiteral("bad station number.");
    case nw::kLockError:
        return QStringLiteral("lock error.");
    default:
        return QStringLiteral("unknown error.");
    }
}

QString lockSetErrorText(nw::NWCCODE code)
{
    switch (code) {
    case nw::kInvalidConnection:
        return QStringLiteral("invalid connection.");
    case nw::kNlmInvalidConnection:
        return QStringLiteral("invalid NLM connection.");
    default:
        return QStringLiteral("unknown error.");
    }
}

} // namespace quorvex
