#include "ncpd/session_dispatcher.h"

#include "ncpd/bad_request.h"
#include "ncpd/entry_table.h"
#include "ncpd/wire_status.h"
#include "netware/sim_path.h"

namespace ncpd {
namespace {

// Functions and subfunctions served.
constexpr std::uint8_t kFnClearFileLock = 0x07;
constexpr std::uint8_t kFnClearLockSet = 0x08;
constexpr std::uint8_t kFnMessage = 0x15;
constexpr std::uint8_t kFnDirectory = 0x16;
constexpr std::uint8_t kFnBindery = 0x17;
constexpr std::uint8_t kFnNameSpace = 0x57;
constexpr std::uint8_t kFnDirectoryServices = 0x68;

constexpr std::uint8_t kCompletionFailure = 0xFF;

} // namespace

SessionDispatcher::SessionDispatcher(const QString& serverName, const QString& statePath,
                                     EntryTable& entries)
    : serverName_(serverName),
      client_(std::make_unique<nw::SimClient>(
          std::vector<nw::ServerBackend>{{serverName, QStringLiteral("sim:") + statePath}},
          nw::DriveLookup())),
      entries_(entries)
{
    // Names arrive resolved against the client's own context: read them from the root.
    client_->NWDSCreateContextHandle(context_);
    client_->NWDSSetContext(context_, nw::DCK_NAME_CONTEXT, "[Root]");
}

SessionDispatcher::~SessionDispatcher() = default;

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
    return route(request);
}

SessionDispatcher::Answer SessionDispatcher::create()
{
    if (handle_ != 0)
        client_->NWCCCloseConn(handle_);
    handle_ = 0;
    created_ = false;
    loggedIn_ = false;
    loginKey_.reset();
    dsFragments_ = DsFragments();
    dirKeys_.fill(std::nullopt);
    const QByteArray name = nw::toWire(serverName_);
    const nw::NWCCODE code = client_->NWCCOpenConnByName(0, name.constData(), 0, 0, 0, handle_);
    if (code != nw::kSuccess)
        return fromCode(code == nw::kServerUnknown ? nw::kInvalidConnection : code);
    const auto s = state();
    if (!s)
        return fromCode(nw::kInvalidConnection);
    connection_ = s->workstation.connection;
    created_ = true;
    return Answer();
}

SessionDispatcher::Answer SessionDispatcher::destroy()
{
    if (handle_ != 0)
        client_->NWCCCloseConn(handle_);
    handle_ = 0;
    created_ = false;
    loggedIn_ = false;
    Answer a;
    a.close = true;
    return a;
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
    case kFnMessage:
        if (r.subfunction == 0x0A)
            return broadcast(d, r.replyLimit);
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
        case 0x1A:
            return inetAddr(d);
        case 0x1C:
            return connectionInfo(d);
        case 0x36:
            return objectName(d);
        case 0x47:
            return objectTrusteePaths(d);
        case 0xEC:
            return connsUsingFile(d);
        case 0xF4:
            return pathToEntry(d);
        case 0xFE:
            return clearConnection(d);
        }
        break;
    case kFnNameSpace:
        if (r.subfunction == 0x06)
            return longName(d);
        break;
    case kFnDirectoryServices:
        if (r.subfunction == 0x02)
            return directoryServices(d);
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
