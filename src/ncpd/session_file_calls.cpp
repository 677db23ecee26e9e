// SPDX-License-Identifier: GPL-3.0-or-later
// A volume's files as the session's object may use them: open or create
// (87/1), read (72), write (73), close (66), rename (87/4) and delete (87/8),
// each checked against the object's effective rights, each kept inside the
// volume's folder (volume_paths.h).

#include "ncpd/entry_block.h"
#include "ncpd/entry_table.h"
#include "ncpd/file_requests.h"
#include "ncpd/file_session.h"
#include "ncpd/negotiation_requests.h"
#include "ncpd/session_dispatcher.h"
#include "netware/sim_rights.h"
#include "netware/sim_server.h"

#include <QDir>

namespace ncpd {

namespace {

constexpr std::uint8_t kOpenExisting = 0x01;
constexpr std::uint8_t kReplaceExisting = 0x02;
constexpr std::uint8_t kCreateNew = 0x08;
constexpr std::uint16_t kAccessRead = 0x0001;
constexpr std::uint16_t kAccessWrite = 0x0002;
constexpr std::uint8_t kActionOpened = 0x01;
constexpr std::uint8_t kActionCreated = 0x02;
constexpr std::uint8_t kActionReplaced = 0x04;

// Completion bytes, as the server emulators answer them.
constexpr std::uint8_t kOutOfHandles = 0x81;
constexpr std::uint8_t kNoCreate = 0x84;
constexpr std::uint8_t kExists = 0x85;
constexpr std::uint8_t kBadFileHandle = 0x88;
constexpr std::uint8_t kNoDelete = 0x8A;
constexpr std::uint8_t kNoModify = 0x8C;
constexpr std::uint8_t kAllNamesExist = 0x92;
constexpr std::uint8_t kNoRead = 0x93;
constexpr std::uint8_t kNoWrite = 0x94;
constexpr std::uint8_t kAcrossVolumes = 0x9A;
constexpr std::uint8_t kDirectoryNotEmpty = 0xA0;
constexpr std::uint8_t kNotSupported = 0xFB;

// The directory an entry lies in.
QString parentKey(const VolumeEntry& entry)
{
    const qsizetype cut = entry.key.lastIndexOf(QLatin1Char('\\'));
    if (cut >= 0)
        return entry.key.left(cut);
    return entry.key.left(entry.key.indexOf(QLatin1Char(':')) + 1);
}

} // namespace

std::shared_ptr<const nw::SimState> SessionDispatcher::beginFileCall(const char* call,
                                                                     Answer* refused)
{
    nw::SimServer* server = client_->simServer(serverName_);
    std::shared_ptr<const nw::SimState> s;
    const auto code = server ? server->beginCall(call, &s) : std::optional(nw::kInvalidConnection);
    if (code || !s) {
        *refused = fromCode(code.value_or(nw::kInvalidConnection));
        return nullptr;
    }
    return s;
}

std::uint16_t SessionDispatcher::rightsOn(const nw::SimState& state, const QString& key) const
{
    return nw::effectiveRights(state, loginObject_, key);
}

PathStart SessionDispatcher::pathStart(const nw::SimState& state, const HandlePath& path)
{
    return startOf(
        state, path, [this](std::uint8_t handle) { return dirKeys_[handle]; },
        [this](std::uint32_t base) { return entries_.keyOf(base); });
}

SessionDispatcher::Answer SessionDispatcher::openCreate(const QByteArray& data)
{
    const auto request = ncpd::decodeOpenCreate(data);
    if (!request)
        return malformed();
    Answer refused;
    const auto s = beginFileCall("NWOpenCreateNSEntry", &refused);
    if (!s)
        return refused;
    const bool mayCreate = request->mode & (kCreateNew | kReplaceExisting);
    Lookup found = lookUp(*s, request->nameSpace, pathStart(*s, request->path), mayCreate);
    if (found.error)
        return completion(found.error);
    VolumeEntry& entry = found.entry;
    if (entry.directory || entry.names.isEmpty())
        return completion(kPathRefused); // files are opened, never directories
    if (request->createAttributes & 0x10)
        return completion(kNotSupported); // no directories are made
    const bool read = request->access & kAccessRead;
    bool write = request->access & kAccessWrite;
    auto file = std::make_unique<QFile>(entry.host);
    std::uint8_t action = kActionOpened;
    if (!entry.exists) {
        if (!(rightsOn(*s, parentKey(entry)) & nw::kRightCreate))
            return completion(kNoCreate);
        // A new file: never one that appeared meanwhile, never through a link.
        write = true;
        if (!file->open(QIODevice::NewOnly | (read ? QIODevice::ReadWrite : QIODevice::WriteOnly)))
            return completion(kPathNoEntry);
        action = kActionCreated;
    } else {
        const std::uint16_t rights = rightsOn(*s, entry.key);
        const bool replace = !(request->mode & kOpenExisting) && (request->mode & kReplaceExisting);
        if (!(request->mode & (kOpenExisting | kReplaceExisting)))
            return completion(kExists);
        if (replace)
            write = true;
        if (read && !(rights & nw::kRightRead))
            return completion(kNoRead);
        if (write && !(rights & nw::kRightWrite))
            return completion(kNoWrite);
        // Writing opens for reading too: a file opened for writing alone
        // would be cut to nothing.
        QIODevice::OpenMode mode = write ? QIODevice::ReadWrite : QIODevice::ReadOnly;
        if (replace)
            mode |= QIODevice::Truncate;
        if (!file->open(mode | QIODevice::ExistingOnly))
            return completion(kPathNoEntry);
        action = replace ? kActionReplaced : kActionOpened;
    }
    entry.exists = true;
    const auto handle = files_->open(std::move(file), read, write);
    if (!handle)
        return completion(kOutOfHandles);
    const std::uint32_t number = entries_.entryFor(entry.key);
    const QByteArray block = encodeEntryBlock(*s, entry, request->returnMask, request->nameSpace,
                                              {number, number, rightsOn(*s, entry.key)});
    return Answer{0, 0, encodeOpenCreateReply(*handle, action, block), false, false};
}

SessionDispatcher::Answer SessionDispatcher::closeFile(const QByteArray& data)
{
    const auto request = decodeCloseFile(data);
    if (!request)
        return malformed();
    return completion(files_->close(request->handle) ? 0 : kBadFileHandle);
}

SessionDispatcher::Answer SessionDispatcher::readFile(const QByteArray& data,
                                                      std::uint32_t replyLimit)
{
    const auto request = ncpd::decodeReadFile(data);
    if (!request)
        return malformed();
    FileSession::OpenFile* open = files_->file(request->handle);
    if (!open)
        return completion(kBadFileHandle);
    if (!open->read)
        return completion(kNoRead);
    Answer refused;
    if (!beginFileCall("NWReadFile", &refused))
        return refused;
    // What a reply holds: the header, the count and a pad byte.
    const std::uint32_t limit =
        std::min<std::uint32_t>(replyLimit ? replyLimit : kServerMaxPacket, kServerMaxPacket);
    const qint64 count = std::min<qint64>(request->count, qint64(limit) - 8 - 3);
    if (!open->file->seek(request->offset))
        return completion(kPathNoEntry);
    const QByteArray bytes = open->file->read(std::max<qint64>(count, 0));
    if (open->file->error() != QFileDevice::NoError)
        return completion(kPathNoEntry);
    return Answer{0, 0, encodeReadFileReply(request->offset, bytes), false, false};
}

SessionDispatcher::Answer SessionDispatcher::writeFile(const QByteArray& data)
{
    const auto request = decodeWriteFile(data);
    if (!request)
        return malformed();
    FileSession::OpenFile* open = files_->file(request->handle);
    if (!open)
        return completion(kBadFileHandle);
    if (!open->write)
        return completion(kNoWrite);
    Answer refused;
    if (!beginFileCall("NWWriteFile", &refused))
        return refused;
    QFile& file = *open->file;
    if (!file.seek(request->offset) || file.write(request->data) != request->data.size() ||
        !file.flush())
        return completion(kPathNoEntry);
    return Answer();
}

SessionDispatcher::Answer SessionDispatcher::renameEntry(const QByteArray& data)
{
    const auto request = decodeRename(data);
    if (!request)
        return malformed();
    Answer refused;
    const auto s = beginFileCall("NWNSRename", &refused);
    if (!s)
        return refused;
    const Lookup from = lookUp(*s, request->nameSpace, pathStart(*s, request->from), false);
    if (from.error)
        return completion(from.error);
    const Lookup to = lookUp(*s, request->nameSpace, pathStart(*s, request->to), true);
    if (to.error)
        return completion(to.error);
    if (from.entry.names.isEmpty() || to.entry.names.isEmpty())
        return completion(kPathRefused); // a volume's root keeps its place
    if (from.entry.volume != to.entry.volume)
        return completion(kAcrossVolumes);
    if (to.entry.exists)
        return completion(kAllNamesExist); // a rename never replaces an entry
    if (!(rightsOn(*s, from.entry.key) & nw::kRightModify))
        return completion(kNoModify);
    if (!(rightsOn(*s, parentKey(to.entry)) & nw::kRightCreate))
        return completion(kNoCreate);
    if (from.entry.directory && to.entry.key.startsWith(from.entry.key + QLatin1Char('\\')))
        return completion(kPathRefused); // never into itself
    if (!QDir().rename(from.entry.host, to.entry.host))
        return completion(kPathNoEntry);
    return Answer();
}

SessionDispatcher::Answer SessionDispatcher::deleteEntry(const QByteArray& data)
{
    const auto request = decodeDelete(data);
    if (!request)
        return malformed();
    Answer refused;
    const auto s = beginFileCall("NWDeleteNSEntry", &refused);
    if (!s)
        return refused;
    const Lookup found = lookUp(*s, request->nameSpace, pathStart(*s, request->path), false);
    if (found.error)
        return completion(found.error);
    const VolumeEntry& entry = found.entry;
    if (entry.names.isEmpty())
        return completion(kPathRefused);
    if (!(rightsOn(*s, entry.key) & nw::kRightErase))
        return completion(kNoDelete);
    if (entry.directory) {
        if (!QDir(entry.host)
                 .isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
            return completion(kDirectoryNotEmpty);
        return completion(QDir().rmdir(entry.host) ? 0 : kPathNoEntry);
    }
    return completion(QFile::remove(entry.host) ? 0 : kPathNoEntry);
}

} // namespace ncpd
