// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// NetWare path and text helpers shared by the simulated server: the server
// compares names ignoring case and takes "/" for "\", so every lookup goes
// through one normal form.

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <optional>
#include <span>
#include <utility>

namespace nw {

// "data:/reports\\q1.xls\\" -> "DATA:REPORTS\\Q1.XLS": upper case, "\" only, no
// leading separator after the colon, no trailing or doubled separators.
QString normalizeNwPath(const QString& path);

// "VOL:DIR\\FILE" split at the first colon; nullopt when there is no colon or no
// volume name before it.
struct NwPath
{
    QString volume;   // as written
    QString relative; // path inside the volume, separators normalised to "\"
};
std::optional<NwPath> splitNwPath(const QString& path);

// Splits "DIR\SUB\NAME" into "DIR\SUB" and "NAME" (an empty first part when
// there is no separator).
std::pair<QString, QString> splitLast(const QString& relative);

// Joins path pieces with single "\" separators, dropping empty ones.
QString joinNwPath(const QString& a, const QString& b);
// The UNC form "\\SERVER\VOL\PATH" as "SERVER\VOL:PATH"; any other text as it
// is. Nullopt when the UNC form names no server or no volume.
std::optional<QString> fromUncPath(const QString& text);

// Host path below root for a NetWare path inside a volume, matching every
// component ignoring case (the host keeps the case it was given). nullopt when a
// component does not exist.
std::optional<QString> findHostPath(const QString& root, const QString& relative);

// The server's packed forms: date = (year-1980)<<9 | month<<5 | day, time =
// hour<<11 | minute<<5 | second/2; date and time = date<<16 | time. Dates before
// 1980 (which the form cannot hold) pack as 0.
std::uint16_t packDate(const QDate& date);
std::uint32_t packDateTime(const QDateTime& dateTime);
// The same of a moment (seconds since the epoch) as this machine's local
// time, quickly (quorvex::localWallTime): a directory's entries are packed
// by the thousand.
std::uint32_t packLocalSeconds(qint64 secsSinceEpoch);

// "YYYY-MM-DD HH:MM:SS" (or "YYYY-MM-DD" when allowDateOnly): the server's
// local wall-clock time, kept as its fields (the QDateTime carries no zone of
// its own: read its date() and time()).
std::optional<QDateTime> parseStateTime(const QString& text, bool allowDateOnly);
QString formatStateTime(const QDateTime& dateTime);

// Copies 8-bit text into a caller's buffer, always NUL-terminated within it.
void copyToBuffer(std::span<char> buffer, const QByteArray& text);
// The client's 8-bit text is Latin-1 on both sides of the interface, whatever
// the host's locale: the program hands in names and messages so, and a name
// with an accent must find the same file on the host.
inline QByteArray toWire(const QString& text)
{
    return text.toLatin1();
}
inline QString fromWire(const char* text)
{
    return text ? QString::fromLatin1(text) : QString();
}

} // namespace nw
