// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncp/ncp_volume_files.h"

#include "ncp/completion_code.h"
#include "ncp/ncp_client.h"

#include <QRandomGenerator>

namespace ncp {

using quorvex::FileEntry;

namespace {

constexpr nw::NWCCODE kInvalidNameSpace = 0x89BF;
constexpr nw::NWCCODE kNoFilesFound = 0x89FF;
// Entries asked for per 87/20; the server sends as many as its reply holds.
constexpr std::uint16_t kEntriesPerSearch = 1024;

QString reason(nw::NWCCODE code)
{
    switch (code) {
    case nw::kInvalidConnection:
        return QStringLiteral("the server cannot be reached");
    case kInvalidReplyLength:
        return QStringLiteral("the server's answer does not fit the request");
    case 0x8980:
        return QStringLiteral("the file is in use");
    case 0x8984:
        return QStringLiteral("no create privileges");
    case 0x898A:
        return QStringLiteral("no delete privileges");
    case 0x898C:
        return QStringLiteral("no modify privileges");
    case 0x8992:
        return QStringLiteral("the name exists");
    case 0x8993:
        return QStringLiteral("no read privileges");
    case 0x8994:
        return QStringLiteral("no write privileges");
    case nw::kVolumeDoesNotExist:
        return QStringLiteral("no such volume");
    case nw::kInvalidPath:
        return QStringLiteral("invalid path");
    case kNoFilesFound:
        return QStringLiteral("no such file");
    default:
        return QStringLiteral("the server refused");
    }
}

FileEntry toEntry(const EntryInfo& info)
{
    FileEntry e;
    e.name = QString::fromLatin1(info.name);
    e.attributes = info.attributes;
    e.size = info.dataSize;
    e.modified = fromPackedDateTime(info.modifyDate, info.modifyTime);
    return e;
}

} // namespace

QDateTime fromPackedDateTime(std::uint16_t date, std::uint16_t time)
{
    const QDate d(1980 + (date >> 9), (date >> 5) & 0x0F, date & 0x1F);
    if (date == 0 || !d.isValid())
        return {};
    const QTime t((time >> 11) & 0x1F, (time >> 5) & 0x3F, (time & 0x1F) * 2);
    // The server's wall clock as its fields: a local time would cost a look at
    // the time zone for every entry of a listing.
    return QDateTime(d, t.isValid() ? t : QTime(0, 0), Qt::UTC);
}

NcpVolumeFiles::NcpVolumeFiles(NcpClient& client, const QString& volume, const QString& rootPath)
    : client_(client), volume_(volume.toLatin1().toUpper()),
      root_(rootPath.split(QLatin1Char('\\'), Qt::SkipEmptyParts))
{
}

RootPath NcpVolumeFiles::pathOf(const QStringList& names) const
{
    RootPath p{volume_, {}};
    for (const QString& n : root_ + names)
        p.names.append(n.toLatin1());
    return p;
}

std::uint8_t NcpVolumeFiles::nameSpace() const
{
    return client_.longNamesOn(volume_) ? kNameSpaceLong : kNameSpaceDos;
}

NcpVolumeFiles::Outcome NcpVolumeFiles::send(const RequestBody& body)
{
    return client_.fileRequest(body);
}

NcpVolumeFiles::Outcome
NcpVolumeFiles::sendNamed(const std::function<RequestBody(std::uint8_t)>& make)
{
    const std::uint8_t ns = nameSpace();
    Outcome o = send(make(ns));
    if (o.code == kInvalidNameSpace && ns == kNameSpaceLong) {
        client_.refuseLongNames(volume_);
        o = send(make(kNameSpaceDos));
    }
    return o;
}

std::optional<QList<FileEntry>> NcpVolumeFiles::list(const QStringList& dir)
{
    const RootPath path = pathOf(dir);
    Outcome start = sendNamed([&](std::uint8_t ns) { return initSearchRequest(ns, path); });
    const auto first = start.code ? std::nullopt : decodeInitSearch(start.data);
    if (!first)
        return std::nullopt;
    const std::uint8_t ns = nameSpace();
    const auto session = client_.sessionNumber();
    SearchSequence sequence = *first;
    QList<FileEntry> entries;
    for (;;) {
        const Outcome o = send(searchSetRequest(ns, kRimBrowse, kEntriesPerSearch, sequence));
        if (o.code == kNoFilesFound)
            break; // nothing (more) matches
        if (o.code || client_.sessionNumber() != session)
            return std::nullopt;
        const auto set = decodeSearchSet(o.data, kRimBrowse);
        if (!set)
            return std::nullopt;
        for (const EntryInfo& info : set->entries) {
            if (info.name == "." || info.name == "..")
                continue;
            entries.append(toEntry(info));
        }
        // An answer without entries that says more follow would never end.
        if (!set->more || set->entries.empty())
            break;
        sequence = set->next;
    }
    return entries;
}

std::optional<FileEntry> NcpVolumeFiles::entryAt(const QStringList& names)
{
    const RootPath path = pathOf(names);
    const Outcome o =
        sendNamed([&](std::uint8_t ns) { return entryInfoRequest(ns, ns, kRimBrowse, path); });
    const auto info = o.code ? std::nullopt : decodeEntryInfo(o.data);
    if (!info)
        return std::nullopt;
    return toEntry(*info);
}

std::optional<FileEntry> NcpVolumeFiles::info(const QStringList& path)
{
    auto entry = entryAt(path);
    if (entry && path.isEmpty())
        entry->name.clear(); // a drive's root has no name of its own
    return entry;
}

std::optional<QStringList> NcpVolumeFiles::resolve(const QStringList& path)
{
    QStringList spelt;
    for (qsizetype i = 0; i < path.size(); ++i) {
        const auto entry = entryAt(path.mid(0, i + 1));
        if (!entry || entry->name.isEmpty())
            return std::nullopt;
        spelt.append(entry->name);
    }
    return spelt;
}

bool NcpVolumeFiles::fail(QString* error, const QStringList& path, nw::NWCCODE code) const
{
    if (error) {
        QStringList names = root_ + path;
        *error = QString::fromLatin1(volume_) + QLatin1Char(':') + names.join(QLatin1Char('\\')) +
                 QStringLiteral(": ") + reason(code) +
                 QStringLiteral(" (0x%1)").arg(QString::number(code, 16).toUpper());
    }
    return false;
}

QStringList NcpVolumeFiles::freshName(const QStringList& path, const char* extension)
{
    // Eight characters and an extension: a name the DOS name space takes too.
    QStringList fresh = path;
    for (int attempt = 0; attempt < 8; ++attempt) {
        const QString name =
            QStringLiteral("QV%1.%2")
                .arg(QRandomGenerator::global()->bounded(0x1000000), 6, 16, QLatin1Char('0'))
                .arg(QLatin1String(extension))
                .toUpper();
        fresh.last() = name;
        if (!entryAt(fresh))
            return fresh;
    }
    return fresh;
}

} // namespace ncp
