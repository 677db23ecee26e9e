// SPDX-License-Identifier: GPL-3.0-or-later
// Directory services (104/2): messages put back together from their
// fragments, then resolve a name to an entry ID (verb 1) and read an entry's
// information (verb 2), for objects, containers and the server itself, and
// the login's verbs (session_ds_login_calls.cpp). Served only by a server
// with directory services (version above 3). Every other verb, and a message
// that does not hold together, is answered with completion 0 and the
// directory error inside the reply, as servers do.

#include "ncp/ds_fields.h"
#include "ncpd/ds_entry_info.h"
#include "ncpd/ds_names.h"
#include "ncpd/ds_requests.h"
#include "ncpd/server_entry.h"
#include "ncpd/session_dispatcher.h"
#include "netware/sim_path.h"

namespace ncpd {
namespace {

constexpr std::uint8_t kCompletionNotSupported = 0xFB;
// The ID and name of the tree's root, the partition every entry lies in.
constexpr std::uint32_t kRootId = 0xFF000000u;
const QString kRootName = QStringLiteral("[Root]");

// Directory errors are negative 32-bit values.
bool isDirectoryError(nw::NWCCODE code)
{
    return code >= 0xFFFF0000u;
}

QString parentOf(const QString& name)
{
    const int dot = name.indexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot + 1);
}

QString baseClass(const nw::SimObject& o)
{
    switch (o.type) {
    case nw::kObjectGroup:
        return QStringLiteral("Group");
    case nw::kObjectFileServer:
        return QStringLiteral("NCP Server");
    default:
        return QStringLiteral("User");
    }
}

} // namespace

SessionDispatcher::Answer SessionDispatcher::directoryServices(const QByteArray& data)
{
    const auto s = state();
    if (!s)
        return fromCode(nw::kInvalidConnection);
    if (s->versionMajor <= 3)
        return completion(kCompletionNotSupported);
    const DsFragments::Outcome piece = dsFragments_.take(data);
    Answer a;
    switch (piece.kind) {
    case DsFragments::Outcome::NeedMore:
        a.data = encodeDsNextFragment(piece.handle);
        return a;
    case DsFragments::Outcome::Reply:
        a.data = piece.reply;
        return a;
    case DsFragments::Outcome::Refused:
        a.data = dsFragments_.reply(ncp::kDsErrInvalidRequest, QByteArray(), 0);
        return a;
    case DsFragments::Outcome::Complete:
        break;
    }
    const DsRequest& request = piece.request;
    if (auto login = loginVerb(request)) {
        a.data = dsFragments_.reply(login->error, login->data, request.maxFragmentSize);
        return a;
    }
    bool understood = false;
    nw::NWCCODE code = nw::kSuccess;
    QByteArray verbData;
    if (request.verb == ncp::kVerbResolveName) {
        if (const auto resolve = decodeResolveName(request.parameters)) {
            understood = true;
            std::uint32_t id = 0;
            const QString typeless = typelessDsName(resolve->name);
            const ServerEntry server = serverEntry(*s);
            if (typeless.compare(server.name, Qt::CaseInsensitive) == 0) {
                id = server.id;
            } else {
                const QByteArray name = nw::toWire(typeless);
                code = client_->NWDSMapNameToID(context_, handle_, name.constData(), id);
            }
            verbData = encodeResolveNameData(id);
        }
    } else if (request.verb == ncp::kVerbReadEntryInfo) {
        if (const auto read = decodeReadEntryName(request.parameters)) {
            understood = true;
            std::array<char, 257> name{};
            const ServerEntry server = serverEntry(*s);
            if (read->objectId() != server.id)
                code = client_->NWDSMapIDToName(context_, handle_, read->objectId(), name);
            if (code == nw::kSuccess)
                verbData = entryInfo(*s, server, *read);
        }
    }
    if (!understood || isDirectoryError(code)) {
        const std::int32_t error = understood ? std::int32_t(code) : ncp::kDsErrInvalidRequest;
        a.data = dsFragments_.reply(error, QByteArray(), request.maxFragmentSize);
        return a;
    }
    return fromCode(code, dsFragments_.reply(0, verbData, request.maxFragmentSize));
}

QByteArray SessionDispatcher::entryInfo(const nw::SimState& s, const ServerEntry& server,
                                        const ReadEntryNameRequest& read)
{
    DsEntryInfo e;
    e.id = read.objectId();
    e.partitionRootId = kRootId;
    e.partitionRootDn = kRootName;
    QString name;
    bool container = false;
    if (const nw::SimObject* o = s.objectById(e.id)) {
        name = o->fullName();
        e.baseClass = baseClass(*o);
    } else if (server.id == e.id) {
        name = server.name;
        e.baseClass = QStringLiteral("NCP Server");
    } else if (const nw::SimContainer* c = s.containerById(e.id)) {
        name = c->name;
        container = true;
        e.flags = kEntryContainer;
        e.subordinates = std::uint32_t(s.subordinateCount(c->name));
        e.baseClass = parentOf(c->name).isEmpty() ? QStringLiteral("Organization")
                                                  : QStringLiteral("Organizational Unit");
    }
    const QString tree = s.treeName().toUpper();
    const QString parent = parentOf(name);
    const nw::SimContainer* parentEntry = s.containerByName(parent);
    e.parentId = parentEntry ? parentEntry->id : kRootId;
    e.parentDn = parent.isEmpty() ? kRootName : formatDsName(parent, true, tree, read.requestFlags);
    e.rdn = formatDsRdn(name, container, read.requestFlags);
    e.dn = formatDsName(name, container, tree, read.requestFlags);
    return encodeEntryInfoData(read.infoFlags, e);
}

} // namespace ncpd
