// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace quorvex {

// Every file the program keeps is written through these. Each write and the
// final flush are checked (a full disk shows in the write that crosses it, or
// only when the last bytes are flushed), and a failure leaves what the file held
// before. On failure *error, when given, says why ("<path>: <reason>").
//
// A termination signal abandons a write that blocks (a FIFO nobody reads): the
// call then fails as interrupted.

// Replaces the file with bytes, whole or not at all: a file beside it, flushed
// to disk, then renamed over it. The new file keeps the old one's permissions;
// a symbolic link is followed and the file it names is replaced. A target that
// is not a regular file (a FIFO, a device) is written where it is.
// inPlaceIfFolderIsClosed: when no file can be made in the folder but the
// target itself is writable, it is written in place instead (then a failure
// can leave it cut).
bool replaceFile(const QString& path, const QByteArray& bytes, QString* error = nullptr,
                 bool inPlaceIfFolderIsClosed = false);

// Appends bytes, creating the file when it is missing. On failure a regular
// file is cut back to its old length, and one this call created is removed.
bool appendToFile(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// Copies from to to as replaceFile() writes: to is replaced whole or not at all.
bool copyFileReplacing(const QString& from, const QString& to, QString* error = nullptr);

} // namespace quorvex
