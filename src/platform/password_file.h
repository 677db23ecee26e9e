// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A password kept in a file named in the settings. Such a file is trusted only
// when nobody else could have read or replaced it: a regular file (not a link,
// a directory or a pipe), owned by the user running the program, with no
// permission bits for group or others. The password is its first line.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

#include <sys/types.h>

namespace quorvex {

class PasswordFile
{
public:
    // Reads path, checking it belongs to the effective user.
    static PasswordFile read(const QString& path);
    // The same, with the owner the file must have.
    static PasswordFile read(const QString& path, uid_t owner);

    bool ok() const { return m_refusal.isEmpty(); }
    // The first line without its line end (LF or CR LF); empty when refused.
    const QByteArray& password() const { return m_password; }
    // The same as text: UTF-8, as editors write it, or Latin-1 bytes when the
    // line is not valid UTF-8.
    QString passwordText() const;
    // The file's modification time in nanoseconds; nullopt when it cannot be
    // looked at.
    static std::optional<std::int64_t> modified(const QString& path);
    // Why the file was refused, beginning with its path; empty when accepted.
    const QString& refusal() const { return m_refusal; }

    ~PasswordFile();
    PasswordFile(PasswordFile&& other) noexcept;
    PasswordFile& operator=(PasswordFile&&) = delete;
    PasswordFile(const PasswordFile&) = delete;
    PasswordFile& operator=(const PasswordFile&) = delete;

private:
    PasswordFile() = default;
    static PasswordFile refused(const QString& path, const QString& why);

    QByteArray m_password;
    QString m_refusal;
};

} // namespace quorvex
