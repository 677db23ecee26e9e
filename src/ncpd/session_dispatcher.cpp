// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd/session_dispatcher.h"

#include "ncpd/bad_request.h"
#include "ncpd/connection_numbers.h"
#include "ncpd/entry_table.h"
#include "ncpd/file_session.h"
#include "ncpd/wire_status.h"
#include "netware/sim_path.h"

#include <QDateTime>

#include <algorithm>

namespace ncpd {
namespace {

// Functions and subfunctions served.
constexpr std::uint8_t kFnClearFileLock = 0x07;
constexpr std::uint8_t kFnClearLockSet = 0x08;
constexpr std::uint8_t kFnCloseFile = 0x42;
constexpr std::uint8_t kFnReadFile = 0x48;
constexpr std::uint8_t kFnWriteFile = 0x49;
constexpr std::uint8_t kFnMessage = 0x15;
constexpr std::uint8_t kFnDirectory = 0x16;
constexpr std::uint8_t kFnBindery = 0x17;
constexpr std::uint8_t kFnNameSpace = 0x57;
constexpr std::uint8_t kFnDirectoryServices = 0x68;
constexpr std::uint8_t kFnStatistics = 0x7B;

constexpr std::uint8_t kCompletionFailure = 0xFF;

} // namespace

SessionDispatcher::SessionDispatcher(const QString& serverName, const QString& statePath,
                                     EntryTable& entries, ConnectionNumbers& numbers)
    : serverName_(serverName),
      client_(std::make_unique<nw::SimClient>(
          std::vector<nw::ServerBackend>{{serverName, QStringLiteral("sim:") + statePath}},
          nw::DriveLookup())),
      entries_(entries), numbers_(numbers), files_(std::make_unique<FileSession>())
{
    // Entry numbers of open files and directories are the ones 23/244 gives.
    client_->setEntryNumbers(&entries_);
    // Names arrive resolved against the client's own context: read them from the root.
    client_->NWDSCreateContextHandle(context_);
    client_->NWDSSetContext(context_, nw::DCK_NAME_CONTEXT, "[Root]");
}

SessionDispatcher::~SessionDispatcher()
{
    endConnection();
}

SessionDispatcher::Answer SessionDispatcher::malformed()
{
    // Shorter or longer than its layout: refused, and the session goes on.
    return completion(kCompletionBadRequest);
}

SessionDispatcher::Answer SessionDispatcher::fromCode(nw::NWCCODE code, QByteArray dataOnSuccess)
{
    Answer a;
    if (code == nw::kSuccess) {
        a.data = std::move(dataOnSuccess);
        return a;
    }
    const WireStatus status = wireStatus(code);
    a.completion = status.completion;
    a.connectionStatus = status.connectionStatus;
    return a;
}

SessionDispatcher::Answer SessionDispatcher::completion(std::uint8_t byte)
{
    Answer a;
    a.completion = byte;
    return a;
}

std::shared_ptr<const nw::SimState> SessionDispatcher::state()
{
    nw::SimServer* server = client_->simServer(serverName_);
    return server ? server->state() : nullptr;
}

bool SessionDispatcher::emulator()
{
    const auto s = state();
    return s && s->profile == nw::SimProfile::Emulator;
}

bool SessionDispatcher::answersAtOnce()
{
    const auto s = state();
    return s && s->latencyMs <= 0;
}

SessionDispatcher::Answer SessionDispatcher::handle(const ncp::Request& request)
{
    switch (request.type) {
    case ncp::kCreateConnection:
        return create();
    case ncp::kDestroyConnection:
        return destroy();
    default:
        break;
    }
    if (!created_)
        return fromCode(nw::kInvalidConnection);
    if (auto a = routeQueries(request))
        return std::move(*a);
    bool handled = false;
    Answer a = routeBeforeLogin(request, &handled);
    if (handled)
        return a;
    if (!loggedIn_)
        return completion(kCompletionNotLoggedIn);
    if (const auto s = listedAs_.isEmpty() ? nullptr : state(); s && !stillConnected(*s)) {
        // Cleared by the server: the session is logged out.
        loggedIn_ = false;
        listedAs_.clear();
        return fromCode(nw::kInvalidConnection);
    }
    return route(request);
}

SessionDispatcher::Answer SessionDispatcher::create()
{
    endConnection();
    if (handle_ != 0)
        client_->NWCCCloseConn(handle_);
    handle_ = 0;
    created_ = false;
    loggedIn_ = false;
    loginKey_.reset();
    signingAgreed_ = false;
    askedToSign_ = false;
    dsLogin_.reset();
    dsFragments_ = DsFragments();
    dirKeys_.fill(std::nullopt);
    files_ = std::make_unique<FileSession>();
    const QByteArray name = nw::toWire(serverName_);
    const nw::NWCCODE code = client_->NWCCOpenConnByName(0, name.constData(), 0, 0, 0, handle_);
    if (code != nw::kSuccess)
        return fromCode(code == nw::kServerUnknown ? nw::kInvalidConnection : code);
    const auto s = state();
    const auto claim = s ? numbers_.claim(*s) : std::nullopt;
    if (!claim)
        return fromCode(nw::kInvalidConnection);
    connection_ = claim->number;
    workstation_ = claim->workstation;
    if (workstation_)
        client_->setOwnConnection(std::nullopt);
    else
        client_->setOwnConnection(nw::SimClient::OwnConnection{connection_, QString(), false});
    created_ = true;
    return Answer();
}

SessionDispatcher::Answer SessionDispatcher::destroy()
{
    endConnection();
    if (handle_ != 0)
        client_->NWCCCloseConn(handle_);
    handle_ = 0;
    created_ = false;
    loggedIn_ = false;
    Answer a;
    a.close = true;
    return a;
}

void SessionDispatcher::endConnection()
{
    if (!listedAs_.isEmpty()) {
        if (nw::SimServer* server = client_->simServer(serverName_))
            server->mutate([&](nw::SimState& s) {
                const int index = s.connectionIndex(connection_);
                if (index < 0 ||
                    s.connections[std::size_t(index)].user.compare(listedAs_, Qt::CaseInsensitive))
                    return false;
                s.connections.erase(s.connections.begin() + index);
                return true;
            });
        listedAs_.clear();
    }
    if (connection_ != 0)
        numbers_.release(connection_);
    connection_ = 0;
    workstation_ = false;
}

void SessionDispatcher::listConnection(const nw::SimObject& user)
{
    if (workstation_)
        return; // the workstation's connection is in the state already
    const auto s = state();
    const bool op = s && s->workstation.consoleOperator &&
                    user.name.compare(s->workstation.user, Qt::CaseInsensitive) == 0;
    client_->setOwnConnection(nw::SimClient::OwnConnection{connection_, user.name, op});
    nw::SimServer* server = client_->simServer(serverName_);
    if (!server)
        return;
    const bool listed = server->mutate([&](nw::SimState& st) {
        const int index = st.connectionIndex(connection_);
        // A number the state gave away meanwhile (quorvex-sim) stays theirs.
        if (index >= 0 && (listedAs_.isEmpty() || st.connections[std::size_t(index)].user.compare(
                                                      listedAs_, Qt::CaseInsensitive)))
            return false;
        if (index >= 0)
            st.connections.erase(st.connections.begin() + index);
        nw::SimConnection c;
        c.number = connection_;
        c.user = user.name;
        c.login = QDateTime::currentDateTime();
        st.connections.push_back(std::move(c));
        std::sort(st.connections.begin(), st.connections.end(),
                  [](const nw::SimConnection& a, const nw::SimConnection& b) {
                      return a.number < b.number;
                  });
        return true;
    });
    if (listed)
        listedAs_ = user.name;
}

bool SessionDispatcher::stillConnected(const nw::SimState& state) const
{
    return listedAs_.isEmpty() || state.connection(connection_) != nullptr;
}

SessionDispatcher::Answer SessionDispatcher::routeBeforeLogin(const ncp::Request& request,
                                                              bool* handled)
{
    // The directory-services calls a login needs come before it.
    if (request.function == kFnDirectoryServices && request.subfunction == 0x02) {
        *handled = true;
        return directoryServices(request.data);
    }
    *handled = request.function == kFnBindery;
    if (*handled) {
        switch (request.subfunction) {
        case 0x11:
            return versionInfo();
        case 0x17:
            return loginKey();
        case 0x35:
            return objectId(request.data);
        case 0x18:
            return keyedLogin(request.data);
        default:
            break;
        }
    }
    *handled = false;
    return Answer();
}

SessionDispatcher::Answer SessionDispatcher::route(const ncp::Request& r)
{
    const QByteArray& d = r.data;
    switch (r.function) {
    case kFnClearFileLock:
        return clearFileLock(d);
    case kFnClearLockSet:
        return clearLockSet(d);
    case kFnCloseFile:
        return closeFile(d);
    case kFnReadFile:
        return readFile(d, r.replyLimit);
    case kFnWriteFile:
        return writeFile(d);
    case kFnMessage:
        // The server emulators take only the older form of a broadcast.
        if (r.subfunction == 0x0A)
            return emulator() ? completion(kCompletionNotSupported) : broadcast(d, r.replyLimit);
        if (r.subfunction == 0x00)
            return oldBroadcast(d);
        break;
    case kFnDirectory:
        switch (r.subfunction) {
        case 0x05:
            return volumeNumber(d);
        case 0x13:
            return allocDirHandle(d);
        case 0x14:
            return deallocDirHandle(d);
        case 0x26:
            return directoryTrustees(d);
        case 0x28:
            return extendedInfo(d);
        }
        break;
    case kFnBindery:
        switch (r.subfunction) {
        case 0x15:
            return objectConnections(d, true);
        case 0x1A:
            return inetAddr(d);
        case 0x1B:
            return objectConnections(d, false);
        case 0x1C:
            return connectionInfo(d);
        case 0x1D:
            return changeConnectionState(d);
        case 0x36:
            return objectName(d);
        case 0x47:
            return objectTrusteePaths(d);
        case 0xEB:
            return openFiles(d);
        case 0xEC:
            return connsUsingFile(d);
        case 0xD2:
            return clearConnectionOld(d);
        case 0xF4:
            // The server emulators keep no path-to-entry map.
            return emulator() ? completion(kCompletionFailure) : pathToEntry(d);
        case 0xFE:
            return emulator() ? completion(kCompletionNotSupported) : clearConnection(d);
        }
        break;
    case kFnNameSpace:
        switch (r.subfunction) {
        case 0x01:
            return openCreate(d);
        case 0x02:
            return initSearch(d);
        case 0x04:
            return renameEntry(d);
        case 0x06:
            return longName(d);
        case 0x08:
            return deleteEntry(d);
        case 0x14:
            return searchSet(d, r.replyLimit);
        case 0x1C:
            return fullPath(d);
        }
        break;
    case kFnDirectoryServices:
        if (r.subfunction == 0x02)
            return directoryServices(d);
        break;
    case kFnStatistics:
        if (r.subfunction == 0x0E)
            return activeConnections(d);
        break;
    }
    return completion(kCompletionNotSupported);
}

SessionDispatcher::KeyOrError SessionDispatcher::resolveKey(std::uint8_t dirHandle,
                                                            const QByteArray& path)
{
    KeyOrError r;
    const auto s = state();
    if (!s) {
        r.error = kCompletionFailure;
        return r;
    }
    const QString text = nw::fromWire(path.constData());
    QString volume;
    QString relative;
    if (const auto split = nw::splitNwPath(text)) {
        volume = split->volume;
        relative = split->relative;
    } else if (dirHandle != 0) {
        const auto& base = dirKeys_[dirHandle];
        if (!base) {
            r.error = std::uint8_t(nw::kBadDirectoryHandle & 0xFF);
            return r;
        }
        const auto baseSplit = nw::splitNwPath(*base);
        volume = baseSplit->volume;
        relative = nw::joinNwPath(baseSplit->relative, text);
    } else {
        r.error = std::uint8_t(nw::kInvalidPath & 0xFF);
        return r;
    }
    r.volume = s->volumeIndex(volume);
    if (r.volume < 0) {
        r.error = std::uint8_t(nw::kVolumeDoesNotExist & 0xFF);
        return r;
    }
    r.key = nw::normalizeNwPath(s->volumes[std::size_t(r.volume)].name + QLatin1Char(':') +
                                nw::joinNwPath(QString(), relative));
    return r;
}

} // namespace ncpd
