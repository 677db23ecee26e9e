// SPDX-License-Identifier: GPL-3.0-or-later
#include "netware/sim_state_reader.h"

#include "netware/json_tape.h"
#include "netware/sim_address.h"
#include "netware/sim_path.h"
#include "platform/termination_signals.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QSet>

#include <cmath>
#include <map>

namespace nw {
namespace {

// Thrown inside the reader only, caught at its entry point.
struct Fault
{
    QString text;
};

// Where a value sits in the state ("connections[3].open[1].path"), spelt out
// only for a message: a state of ten thousand connections would otherwise
// build such a text for every value it reads. Each refers to its parent, which
// must outlive it (they live on the stack, inner within outer).
class Where
{
public:
    explicit Where(const char* name) : name_(name) {}
    Where(const Where& parent, const char* member) : parent_(&parent), name_(member) {}
    Where(const Where& parent, int index) : parent_(&parent), index_(index) {}
    Where(const Where& parent, const QString& key) : parent_(&parent), key_(&key) {}

    QString text() const
    {
        QString t = parent_ ? parent_->text() : QString();
        if (index_ >= 0)
            return t + QStringLiteral("[%1]").arg(index_);
        if (key_)
            return t + QStringLiteral("[\"%1\"]").arg(*key_);
        if (!t.isEmpty() && *name_)
            t += QLatin1Char('.');
        return t + QLatin1String(name_);
    }

private:
    const Where* parent_ = nullptr;
    const char* name_ = "";
    int index_ = -1;
    const QString* key_ = nullptr;
};

const Where kRoot("");

// Names in the order a QJsonObject keeps them: by code point, where QString's
// own order puts a character above U+FFFF before U+E000..U+FFFF.
struct CodePointOrder
{
    static char32_t next(const QString& s, qsizetype& i)
    {
        const char16_t u = s[i++].unicode();
        if (QChar::isHighSurrogate(u) && i < s.size() && s[i].isLowSurrogate())
            return QChar::surrogateToUcs4(u, s[i++].unicode());
        return u;
    }
    bool operator()(const QString& a, const QString& b) const
    {
        qsizetype i = 0;
        qsizetype k = 0;
        while (i < a.size() && k < b.size()) {
            const char32_t x = next(a, i);
            const char32_t y = next(b, k);
            if (x != y)
                return x < y;
        }
        return i == a.size() && k < b.size();
    }
};

// An address as a text or, rarely, an object of its parts.
std::optional<SimAddress> addressOf(const JsonRef& v, QString* error)
{
    return v.isString() ? parseSimAddressText(v.toString(), error)
                        : parseSimAddress(v.toJsonValue(), error);
}

[[noreturn]] void fail(const Where& where, const QString& what)
{
    throw Fault{where.text() + QLatin1String(": ") + what};
}

// A state of tens of thousands of connections takes seconds to read; a program
// told to end does not wait for it.
void stopIfTerminating(const Where& where)
{
    if (quorvex::TerminationSignals::requested())
        fail(where, QStringLiteral("reading interrupted by a termination signal"));
}

const QSet<QString> kKnownKeys = {QStringLiteral("server"),
                                  QStringLiteral("version"),
                                  QStringLiteral("volumes"),
                                  QStringLiteral("objects"),
                                  QStringLiteral("workstation"),
                                  QStringLiteral("connections"),
                                  QStringLiteral("trustees"),
                                  QStringLiteral("files"),
                                  QStringLiteral("faults"),
                                  QStringLiteral("latencyMs"),
                                  QStringLiteral("batchSize"),
                                  QStringLiteral("emptyBatches"),
                                  QStringLiteral("watchdogSeconds"),
                                  QStringLiteral("profile"),
                                  QStringLiteral("maxConnections"),
                                  QStringLiteral("peakConnections"),
                                  QStringLiteral("tree"),
                                  QStringLiteral("address"),
                                  QStringLiteral("signatureLevel"),
                                  QStringLiteral("publicKey"),
                                  QStringLiteral("privateKey")};

class Reader
{
public:
    explicit Reader(QString folder) : folder_(std::move(folder)) {}

    std::shared_ptr<SimState> read(const JsonRef& root);

private:
    QString folder_;
    SimState* s_ = nullptr;

    // Binary data in base64; empty when the key is absent.
    static QByteArray base64(const JsonRef& o, const char* key, const Where& parent)
    {
        const JsonRef v = o.value(QLatin1String(key));
        if (v.isUndefined())
            return {};
        const Where where(parent, key);
        const auto decoded = QByteArray::fromBase64Encoding(
            text(v, where).toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded)
            fail(where, QStringLiteral("is not base64"));
        return *decoded;
    }

    static double integer(const JsonRef& v, const Where& where, double lo, double hi)
    {
        if (!v.isDouble())
            fail(where, QStringLiteral("must be a number"));
        const double d = v.toDouble();
        if (d != std::floor(d) || d < lo || d > hi)
            fail(where, QStringLiteral("%1 is outside %2..%3")
                            .arg(v.numberText())
                            .arg(qint64(lo))
                            .arg(qint64(hi)));
        return d;
    }
    static double optInteger(const JsonRef& o, const char* key, const Where& where, double lo,
                             double hi, double def)
    {
        const JsonRef v = o.value(QLatin1String(key));
        return v.isUndefined() ? def : integer(v, Where(where, key), lo, hi);
    }
    static bool optBool(const JsonRef& o, const char* key, const Where& where, bool def)
    {
        const JsonRef v = o.value(QLatin1String(key));
        if (!v.isUndefined() && !v.isBool())
            fail(Where(where, key), QStringLiteral("must be true or false"));
        return v.toBool(def);
    }
    static QString text(const JsonRef& v, const Where& where)
    {
        if (!v.isString())
            fail(where, QStringLiteral("must be a text"));
        return v.toString();
    }
    // An optional member's text; nothing when it is absent.
    static std::optional<QString> optText(const JsonRef& o, const char* key, const Where& where)
    {
        const JsonRef v = o.value(QLatin1String(key));
        if (v.isUndefined())
            return std::nullopt;
        return text(v, Where(where, key));
    }
    static JsonRef array(const JsonRef& o, const char* key, const Where& where)
    {
        const JsonRef v = o.value(QLatin1String(key));
        if (v.isUndefined())
            return {};
        if (!v.isArray())
            fail(Where(where, key), QStringLiteral("must be an array"));
        return v;
    }
    static JsonRef object(const JsonRef& v, const Where& where)
    {
        if (!v.isObject())
            fail(where, QStringLiteral("must be an object"));
        return v;
    }

    void readVolumes(const JsonRef& root);
    void readObjects(const JsonRef& root);
    void readObjectLinks(const JsonRef& root);
    void readServerInfo(const JsonRef& root);
    void readWorkstation(const JsonRef& root);
    void readConnections(const JsonRef& root);
    void readTrustees(const JsonRef& root);
    void readFiles(const JsonRef& root);
    void readFaults(const JsonRef& root);
    QString volumePath(const JsonRef& v, const Where& where) const;
    QString volumePath(const QString& path, const Where& where) const;
    std::uint32_t objectRef(const JsonRef& v, const Where& where) const;
    std::optional<QDateTime> date(const JsonRef& o, const char* key, const Where& where) const;
};

std::shared_ptr<SimState> Reader::read(const JsonRef& root)
{
    auto state = std::make_shared<SimState>();
    s_ = state.get();
    const Where server("server");
    s_->server = text(root.value(QLatin1String("server")), server);
    if (s_->server.isEmpty() || s_->server.size() > 47)
        fail(server, QStringLiteral("name must have 1 to 47 characters"));
    const JsonRef version = root.value(QLatin1String("version"));
    if (!version.isUndefined()) {
        const Where where("version");
        if (!version.isArray() || version.size() != 2)
            fail(where, QStringLiteral("must be [major, minor]"));
        auto part = version.begin();
        s_->versionMajor = int(integer(*part, Where(where, 0), 0, 255));
        s_->versionMinor = int(integer(*++part, Where(where, 1), 0, 255));
    }
    readVolumes(root);
    readObjects(root);
    readObjectLinks(root);
    readWorkstation(root);
    readConnections(root);
    readTrustees(root);
    readFiles(root);
    readFaults(root);
    s_->latencyMs = int(optInteger(root, "latencyMs", kRoot, 0, 600000, 0));
    s_->batchSize = int(optInteger(root, "batchSize", kRoot, 1, 70, 70));
    s_->emptyBatches = int(optInteger(root, "emptyBatches", kRoot, 0, 100000, 0));
    s_->watchdogSeconds = int(optInteger(root, "watchdogSeconds", kRoot, 1, 86400, 300));
    const JsonRef profile = root.value(QLatin1String("profile"));
    if (!profile.isUndefined()) {
        const Where where("profile");
        const QString name = text(profile, where);
        if (name == QLatin1String("emulator"))
            s_->profile = SimProfile::Emulator;
        else if (name != QLatin1String("netware"))
            fail(where, QStringLiteral("\"%1\" is neither \"netware\" nor \"emulator\"").arg(name));
    }
    readServerInfo(root);
    s_->signatureLevel = int(optInteger(root, "signatureLevel", kRoot, 0, 3, 1));
    s_->publicKey = base64(root, "publicKey", kRoot);
    s_->privateKey = base64(root, "privateKey", kRoot);
    for (auto it = root.begin(); it != root.end(); ++it)
        if (const QString key = it.key(); !kKnownKeys.contains(key))
            s_->unknownKeys.insert(key, (*it).toJsonValue());
    s_->indexRest(); // the names were indexed once the objects were read
    return state;
}

void Reader::readVolumes(const JsonRef& root)
{
    const Where list("volumes");
    if (!root.contains(QLatin1String("volumes")))
        fail(list, QStringLiteral("missing"));
    const JsonRef volumes = array(root, "volumes", kRoot);
    QSet<QString> seen;
    int i = 0;
    for (const JsonRef volume : volumes) {
        const Where where(list, i++);
        const JsonRef v = object(volume, where);
        SimVolume vol;
        const Where name(where, "name");
        vol.name = text(v.value(QLatin1String("name")), name);
        if (vol.name.isEmpty() ||
            vol.name.contains(QRegularExpression(QStringLiteral("[:\\\\/ ]"))))
            fail(name, QStringLiteral("\"%1\" is not a volume name").arg(vol.name));
        if (seen.contains(vol.name.toUpper()))
            fail(name, QStringLiteral("volume %1 appears twice").arg(vol.name));
        seen.insert(vol.name.toUpper());
        const Where rootWhere(where, "root");
        vol.root = text(v.value(QLatin1String("root")), rootWhere);
        vol.hostDir = QDir::cleanPath(QDir(folder_).absoluteFilePath(vol.root));
        if (vol.root.isEmpty() || !QFileInfo(vol.hostDir).isDir())
            fail(rootWhere, QStringLiteral("folder %1 does not exist").arg(vol.hostDir));
        vol.longNames = optBool(v, "longNames", where, true);
        s_->volumes.push_back(vol);
    }
}

void Reader::readObjects(const JsonRef& root)
{
    const Where list("objects");
    const JsonRef objects = array(root, "objects", kRoot);
    QSet<QString> names;
    QSet<std::uint32_t> ids;
    names.reserve(objects.size());
    ids.reserve(objects.size());
    s_->objects.reserve(std::size_t(objects.size()));
    int i = 0;
    for (const JsonRef entry : objects) {
        const Where where(list, i++);
        const JsonRef o = object(entry, where);
        SimObject obj;
        obj.id = std::uint32_t(
            integer(o.value(QLatin1String("id")), Where(where, "id"), 1, 4294967295.0));
        const Where name(where, "name");
        obj.name = text(o.value(QLatin1String("name")), name);
        if (obj.name.isEmpty() || obj.name.size() > 47)
            fail(name, QStringLiteral("must have 1 to 47 characters"));
        if (auto context = optText(o, "context", where))
            obj.context = std::move(*context);
        if (auto password = optText(o, "password", where))
            obj.password = std::move(*password);
        if (const auto hash = optText(o, "passwordHash", where)) {
            obj.passwordHash = QByteArray::fromHex(hash->toLatin1());
            if (obj.passwordHash.size() != 16)
                fail(Where(where, "passwordHash"), QStringLiteral("must be 32 hexadecimal digits"));
        }
        obj.publicKey = base64(o, "publicKey", where);
        obj.privateKey = base64(o, "privateKey", where);
        obj.failedLogins = int(optInteger(o, "failedLogins", where, 0, 1e6, 0));
        obj.intruderLimit = int(optInteger(o, "intruderLimit", where, 0, 1e6, 0));
        obj.graceLogins = int(optInteger(o, "graceLogins", where, 0, 255, 0));
        obj.passwordExpired = optBool(o, "passwordExpired", where, false);
        obj.disabled = optBool(o, "disabled", where, false);
        obj.type = std::uint16_t(optInteger(o, "type", where, 1, 65535, kObjectUser));
        if (auto fullName = optText(o, "fullName", where))
            obj.identification = std::move(*fullName);
        const QString upper = obj.name.toUpper();
        if (names.contains(upper))
            fail(name, QStringLiteral("%1 appears twice").arg(obj.name));
        if (ids.contains(obj.id))
            fail(Where(where, "id"), QStringLiteral("%1 appears twice").arg(obj.id));
        names.insert(upper);
        ids.insert(obj.id);
        s_->objects.push_back(std::move(obj));
    }
    s_->indexNames();
}

void Reader::readObjectLinks(const JsonRef& root)
{
    // Members and equivalences name other objects, so they are read once
    // every object is known.
    const Where list("objects");
    const JsonRef objects = array(root, "objects", kRoot);
    int i = 0;
    for (const JsonRef o : objects) {
        const Where where(list, i);
        SimObject& obj = s_->objects[std::size_t(i++)];
        const auto refs = [&](const char* key, std::vector<std::uint32_t>& into) {
            const JsonRef values = array(o, key, where);
            const Where field(where, key);
            int k = 0;
            for (const JsonRef value : values)
                into.push_back(objectRef(value, Where(field, k++)));
        };
        refs("members", obj.members);
        refs("securityEquals", obj.equals);
        if (!obj.members.empty() && obj.type != kObjectGroup)
            fail(Where(where, "members"), QStringLiteral("only a group (type 2) has members"));
    }
}

void Reader::readServerInfo(const JsonRef& root)
{
    s_->maxConnections = int(optInteger(root, "maxConnections", kRoot, 1, 65535, 250));
    s_->peakConnections = int(optInteger(root, "peakConnections", kRoot, 0, 65535, 0));
    if (auto tree = optText(root, "tree", kRoot)) {
        s_->tree = std::move(*tree);
        if (s_->tree.isEmpty() || s_->tree.size() > 32)
            fail(Where("tree"), QStringLiteral("name must have 1 to 32 characters"));
    }
    QString error;
    const auto address = addressOf(root.value(QLatin1String("address")), &error);
    if (!address)
        fail(Where("address"), error);
    s_->address = *address;
}

void Reader::readWorkstation(const JsonRef& root)
{
    if (!s_->objects.empty())
        s_->workstation.user = s_->objects.front().name;
    const JsonRef v = root.value(QLatin1String("workstation"));
    if (v.isUndefined())
        return;
    const Where where("workstation");
    const JsonRef w = object(v, where);
    s_->workstation.connection = std::uint16_t(optInteger(w, "connection", where, 1, 65535, 1));
    if (auto user = optText(w, "user", where)) {
        s_->workstation.user = std::move(*user);
        if (!s_->objectByName(s_->workstation.user))
            fail(Where(where, "user"),
                 QStringLiteral("unknown object %1").arg(s_->workstation.user));
    }
    s_->workstation.consoleOperator = optBool(w, "consoleOperator", where, true);
}

void Reader::readConnections(const JsonRef& root)
{
    const Where list("connections");
    const JsonRef conns = array(root, "connections", kRoot);
    std::vector<bool> numbers(0x10000); // the connection numbers met so far
    s_->connections.reserve(std::size_t(conns.size()));
    static const QDateTime earliest = *parseStateTime(QStringLiteral("1980-01-01"), true);
    JsonRef lastPathValue;
    QString lastPath;
    int i = 0;
    for (const JsonRef connection : conns) {
        const Where where(list, i++);
        stopIfTerminating(where);
        const JsonRef o = object(connection, where);
        SimConnection c;
        const Where number(where, "number");
        c.number = std::uint16_t(integer(o.value(QLatin1String("number")), number, 1, 65535));
        if (numbers[c.number])
            fail(number, QStringLiteral("connection %1 appears twice").arg(c.number));
        numbers[c.number] = true;
        const Where user(where, "user");
        c.user = text(o.value(QLatin1String("user")), user);
        if (!s_->objectByName(c.user))
            fail(user, QStringLiteral("unknown object %1").arg(c.user));
        c.login = earliest;
        if (const auto login = optText(o, "login", where)) {
            const auto t = parseStateTime(*login, false);
            if (!t)
                fail(Where(where, "login"), QStringLiteral("must be YYYY-MM-DD HH:MM:SS"));
            c.login = *t;
        }
        QString error;
        auto address = addressOf(o.value(QLatin1String("address")), &error);
        if (!address)
            fail(Where(where, "address"), error);
        c.address = *address;
        c.acceptsMessages = optBool(o, "acceptsMessages", where, true);
        const Where openList(where, "open");
        const JsonRef open = array(o, "open", where);
        QSet<QString> seen;
        int k = 0;
        for (const JsonRef opened : open) {
            const Where w(openList, k++);
            const JsonRef e = object(opened, w);
            SimOpenEntry entry;
            // Many connections hold the same file: its path is read once.
            const JsonRef path = e.value(QLatin1String("path"));
            if (!path.sameText(lastPathValue)) {
                lastPath = volumePath(path, Where(w, "path"));
                lastPathValue = path;
            }
            entry.path = lastPath;
            entry.task = std::uint16_t(optInteger(e, "task", w, 0, 65535, 1));
            entry.lockType = std::uint8_t(optInteger(e, "lockType", w, 0, 255, 0));
            entry.access = std::uint8_t(optInteger(e, "access", w, 0, 255, 0));
            const JsonRef locked = e.value(QLatin1String("locked"));
            entry.locked = locked.isBool() ? std::uint8_t(locked.toBool() ? 1 : 0)
                                           : std::uint8_t(optInteger(e, "locked", w, 0, 255, 0));
            // A connection's one open entry cannot repeat another.
            if (open.size() > 1) {
                const QString key =
                    normalizeNwPath(entry.path) + QLatin1Char('#') + QString::number(entry.task);
                if (seen.contains(key))
                    fail(w, QStringLiteral("task %1 has %2 open twice")
                                .arg(entry.task)
                                .arg(entry.path));
                seen.insert(key);
            }
            c.open.push_back(entry);
        }
        const JsonRef messages = o.value(QLatin1String("messages"));
        if (!messages.isUndefined() && !messages.isArray())
            fail(Where(where, "messages"), QStringLiteral("must be an array"));
        if (messages.size() > 0)
            c.messages = messages.toJsonValue().toArray();
        s_->connections.push_back(std::move(c));
    }
}

void Reader::readTrustees(const JsonRef& root)
{
    const Where list("trustees");
    const JsonRef trustees = array(root, "trustees", kRoot);
    int i = 0;
    for (const JsonRef trustee : trustees) {
        const Where where(list, i++);
        const JsonRef o = object(trustee, where);
        SimTrustee t;
        t.path = volumePath(o.value(QLatin1String("path")), Where(where, "path"));
        const Where object(where, "object");
        t.objectId = objectRef(o.value(QLatin1String("object")), object);
        if (t.objectId == 0)
            fail(object, QStringLiteral("missing"));
        t.rights = std::uint16_t(
            integer(o.value(QLatin1String("rights")), Where(where, "rights"), 0, 65535));
        s_->trustees.push_back(t);
    }
}

void Reader::readFiles(const JsonRef& root)
{
    const JsonRef v = root.value(QLatin1String("files"));
    if (v.isUndefined())
        return;
    const Where list("files");
    // In the order of their names, a name given twice taken the last time,
    // as they have always been read.
    std::map<QString, JsonRef, CodePointOrder> byName;
    const JsonRef files = object(v, list);
    for (auto it = files.begin(); it != files.end(); ++it)
        byName[it.key()] = *it;
    for (const auto& [key, value] : byName) {
        const Where where(list, key);
        stopIfTerminating(where);
        const JsonRef o = object(value, where);
        SimFileData f;
        f.path = volumePath(key, where);
        if (o.contains(QLatin1String("attributes")))
            f.attributes = std::uint32_t(integer(o.value(QLatin1String("attributes")),
                                                 Where(where, "attributes"), 0, 4294967295.0));
        f.created = date(o, "created", where);
        f.archived = date(o, "archived", where);
        f.modified = date(o, "modified", where);
        f.accessed = date(o, "accessed", where);
        f.owner = objectRef(o.value(QLatin1String("owner")), Where(where, "owner"));
        f.archiver = objectRef(o.value(QLatin1String("archiver")), Where(where, "archiver"));
        f.modifier = objectRef(o.value(QLatin1String("modifier")), Where(where, "modifier"));
        s_->files.push_back(f);
    }
}

void Reader::readFaults(const JsonRef& root)
{
    const Where list("faults");
    const JsonRef faults = array(root, "faults", kRoot);
    int i = 0;
    for (const JsonRef fault : faults) {
        const Where where(list, i++);
        const JsonRef o = object(fault, where);
        SimFault f;
        f.call = text(o.value(QLatin1String("call")), Where(where, "call"));
        const Where codeWhere(where, "code");
        const JsonRef code = o.value(QLatin1String("code"));
        if (code.isString()) {
            bool ok = false;
            f.code = code.toString().toUInt(&ok, 0);
            if (!ok)
                fail(codeWhere, QStringLiteral("\"%1\" is not a number").arg(code.toString()));
        } else {
            f.code = std::uint32_t(integer(code, codeWhere, 0, 4294967295.0));
        }
        f.count = int(optInteger(o, "count", where, -1, 1e9, 1));
        f.after = int(optInteger(o, "after", where, 0, 1e9, 0));
        s_->faults.push_back(f);
    }
}

QString Reader::volumePath(const JsonRef& v, const Where& where) const
{
    return volumePath(text(v, where), where);
}

QString Reader::volumePath(const QString& path, const Where& where) const
{
    const qsizetype colon = path.indexOf(QLatin1Char(':'));
    if (colon <= 0)
        fail(where, QStringLiteral("\"%1\" is not a VOLUME:PATH").arg(path));
    const QString volume = path.left(colon);
    if (s_->volumeIndex(volume) < 0)
        fail(where, QStringLiteral("unknown volume %1").arg(volume));
    return path;
}

std::uint32_t Reader::objectRef(const JsonRef& v, const Where& where) const
{
    if (v.isUndefined() || v.isNull())
        return 0;
    if (v.isString()) {
        const SimObject* o = s_->objectByName(v.toString());
        if (!o)
            fail(where, QStringLiteral("unknown object %1").arg(v.toString()));
        return o->id;
    }
    const auto id = std::uint32_t(integer(v, where, 1, 4294967295.0));
    if (!s_->objectById(id))
        fail(where, QStringLiteral("unknown object id %1").arg(id));
    return id;
}

std::optional<QDateTime> Reader::date(const JsonRef& o, const char* key, const Where& where) const
{
    const JsonRef v = o.value(QLatin1String(key));
    if (v.isUndefined() || v.isNull())
        return std::nullopt;
    const Where at(where, key);
    const auto t = parseStateTime(text(v, at), true);
    if (!t)
        fail(at, QStringLiteral("must be YYYY-MM-DD[ HH:MM:SS]"));
    return t;
}

} // namespace

SimLoadResult parseSimState(const QByteArray& json, const QString& statePath)
{
    JsonTape tape;
    if (!tape.parse(json)) {
        // The strict reading refused it: QJsonDocument says what is wrong, or
        // takes what is only unusual (a byte order mark, a control character
        // inside a text, "1.").
        QJsonParseError parseError;
        const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
        if (parseError.error != QJsonParseError::NoError)
            return {nullptr, QStringLiteral("%1: malformed JSON at offset %2: %3")
                                 .arg(statePath)
                                 .arg(parseError.offset)
                                 .arg(parseError.errorString())};
        if (doc.isObject() && !tape.fromDocument(doc.object()))
            return {nullptr, QStringLiteral("%1: cannot be read").arg(statePath)};
    }
    const JsonRef root = tape.root();
    if (!root.isObject())
        return {nullptr, QStringLiteral("%1: the state must be one JSON object").arg(statePath)};
    try {
        Reader reader(QFileInfo(statePath).absolutePath());
        return {reader.read(root), QString()};
    } catch (const Fault& fault) {
        return {nullptr, statePath + QLatin1String(": ") + fault.text};
    }
}

SimLoadResult loadSimState(const QString& statePath)
{
    QFile file(statePath);
    if (!file.open(QIODevice::ReadOnly))
        return {nullptr, QStringLiteral("%1: cannot read: %2").arg(statePath, file.errorString())};
    return parseSimState(file.readAll(), statePath);
}

} // namespace nw
