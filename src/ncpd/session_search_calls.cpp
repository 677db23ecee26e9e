// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a volume's directories: an entry's information (87/6), a search's
// start (87/2) and its sets of entries (87/20). A search lists its directory
// once, when it starts, and every 87/20 walks on from the position the last
// one gave: as many entries as the reply holds (the server emulators give one
// at a time).

#include "ncpd/directory_snapshot.h"
#include "ncpd/entry_block.h"
#include "ncpd/entry_table.h"
#include "ncpd/file_requests.h"
#include "ncpd/file_session.h"
#include "ncpd/long_name_request.h"
#include "ncpd/negotiation_requests.h"
#include "ncpd/session_dispatcher.h"
#include "netware/sim_path.h"
#include "netware/sim_rights.h"

namespace ncpd {

namespace {

constexpr std::uint16_t kSearchHidden = 0x0002;
constexpr std::uint16_t kSearchSystem = 0x0004;
constexpr std::uint16_t kSearchDirectoriesOnly = 0x0010;
constexpr std::uint16_t kSearchFilesAndDirectories = 0x8000;

bool wanted(std::uint32_t attributes, std::uint16_t search)
{
    const bool directory = attributes & nw::kAttrDirectory;
    if (directory ? !(search & (kSearchDirectoriesOnly | kSearchFilesAndDirectories))
                  : (search & kSearchDirectoriesOnly) && !(search & kSearchFilesAndDirectories))
        return false;
    if ((attributes & nw::kAttrHidden) && !(search & kSearchHidden))
        return false;
    return !(attributes & nw::kAttrSystem) || (search & kSearchSystem);
}

} // namespace

SessionDispatcher::Answer SessionDispatcher::longName(const QByteArray& data)
{
    const auto request = decodeLongName(data);
    if (!request)
        return malformed();
    Answer refused;
    const auto s = beginFileCall("NWGetLongName", &refused);
    if (!s)
        return refused;
    const Lookup found = lookUp(*s, request->sourceNameSpace, pathStart(*s, request->path), false);
    if (found.error)
        return completion(found.error);
    if (!hasNameSpace(s->volumes[std::size_t(found.entry.volume)], request->destinationNameSpace))
        return completion(kPathNoNameSpace);
    BlockNumbers numbers;
    // The entry's numbers as 23/244 hands them out, so that 23/236 takes them.
    if (request->returnMask & kRimDirectory)
        numbers.entry = numbers.dosEntry = entries_.entryFor(found.entry.key);
    numbers.rights = rightsOn(*s, found.entry.key);
    return Answer{0, 0,
                  encodeEntryBlock(*s, found.entry, request->returnMask,
                                   request->destinationNameSpace, numbers),
                  false, false};
}

SessionDispatcher::Answer SessionDispatcher::initSearch(const QByteArray& data)
{
    const auto request = decodeInitSearch(data);
    if (!request)
        return malformed();
    Answer refused;
    const auto s = beginFileCall("NWIntScanForManyEntries", &refused);
    if (!s)
        return refused;
    const Lookup found = lookUp(*s, request->nameSpace, pathStart(*s, request->path), false);
    if (found.error)
        return completion(found.error);
    const VolumeEntry& dir = found.entry;
    if (!dir.directory)
        return completion(kPathNoEntry);
    // Without the right to scan it, the directory is not there for the object.
    if (!(rightsOn(*s, dir.key) & nw::kRightFileScan))
        return completion(kPathRefused);
    FileSession::Search search{dir.volume, readSearchDirectory(*s, dir)};
    const std::uint32_t number = entries_.entryFor(dir.key);
    files_->keep(number, std::move(search));
    return Answer{0, 0, encodeSearchSequence({std::uint8_t(dir.volume), number, 0xFFFFFFFF}), false,
                  false};
}

SessionDispatcher::Answer SessionDispatcher::searchSet(const QByteArray& data,
                                                       std::uint32_t replyLimit)
{
    const auto request = decodeSearchSet(data);
    if (!request)
        return malformed();
    Answer refused;
    const auto s = beginFileCall("NWIntScanForManyEntries", &refused);
    if (!s)
        return refused;
    FileSession::Search* search = files_->search(request->sequence.directory);
    const auto dirKey = entries_.keyOf(request->sequence.directory);
    if (!search || !dirKey || search->volume >= int(s->volumes.size()))
        return completion(kPathRefused); // no search of that directory was started
    if (!(rightsOn(*s, *dirKey) & nw::kRightFileScan))
        return completion(kPathRefused);
    const nw::SimVolume& volume = s->volumes[std::size_t(search->volume)];
    if (!hasNameSpace(volume, request->nameSpace))
        return completion(kPathNoNameSpace);
    const QString pattern = searchPatternText(request->pattern);
    const std::uint32_t limit =
        std::min<std::uint32_t>(replyLimit ? replyLimit : kServerMaxPacket, kServerMaxPacket);
    const std::size_t room = limit > 20 ? limit - 20 : 0; // the headers and the set's own fields
    const std::size_t most =
        s->profile == nw::SimProfile::Emulator ? 1 : std::max<std::uint16_t>(request->count, 1);
    const std::uint32_t mask = request->returnMask | kRimName;

    // An entry without assignments of its own has its directory's rights.
    const std::uint16_t dirRights = rightsOn(*s, *dirKey);
    QByteArray entries;
    entries.reserve(qsizetype(room) + 512);
    std::uint16_t count = 0;
    std::size_t position =
        request->sequence.position == 0xFFFFFFFF ? 0 : std::size_t(request->sequence.position);
    bool more = false;
    for (; position < search->entries.size(); ++position) {
        EntryFields& e = search->entries[position];
        const QString& name = request->nameSpace == kNameSpaceDos ? e.dosName : e.longName;
        if (!matchesPattern(name, pattern) || !wanted(e.attributes, request->searchAttributes))
            continue;
        if (count == most) {
            more = true; // another entry matches
            break;
        }
        const std::uint32_t number = entries_.entryFor(e.key);
        const std::uint16_t rights =
            s->trusteesOfPath(e.key).empty() ? dirRights : rightsOn(*s, e.key);
        if (mask & kRimCreation)
            completeCreation(e, *s);
        const qsizetype before = entries.size();
        appendEntryBlock(entries, e, mask, request->nameSpace, {number, number, rights});
        if (std::size_t(entries.size()) > room) {
            entries.truncate(before);
            more = true;
            break;
        }
        ++count;
    }
    if (count == 0)
        return completion(kPathNoEntry); // nothing (more) matches
    SearchSequence next = request->sequence;
    next.position = std::uint32_t(position);
    return Answer{0, 0, encodeSearchSetReply(next, more, count, entries), false, false};
}

} // namespace ncpd
