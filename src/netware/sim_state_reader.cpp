#include "netware/sim_state_reader.h"

#include "netware/sim_address.h"
#include "netware/sim_path.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QSet>

#include <cmath>

namespace nw {
namespace {

// Thrown inside the reader only, caught at its entry point.
struct Fault
{
    QString text;
};

[[noreturn]] void fail(const QString& where, const QString& what)
{
    throw Fault{where + QLatin1String(": ") + what};
}

const QSet<QString> kKnownKeys = {
    QStringLiteral("server"),         QStringLiteral("version"),
    QStringLiteral("volumes"),        QStringLiteral("objects"),
    QStringLiteral("workstation"),    QStringLiteral("connections"),
    QStringLiteral("trustees"),       QStringLiteral("files"),
    QStringLiteral("faults"),         QStringLiteral("latencyMs"),
    QStringLiteral("batchSize"),      QStringLiteral("emptyBatches"),
    QStringLiteral("maxConnections"), QStringLiteral("peakConnections"),
    QStringLiteral("tree"),           QStringLiteral("address")};

class Reader
{
public:
    explicit Reader(QString folder) : folder_(std::move(folder)) {}

    std::shared_ptr<SimState> read(const QJsonObject& root);

private:
    QString folder_;
    SimState* s_ = nullptr;

    static double integer(const QJsonValue& v, const QString& where, double lo, double hi)
    {
        if (!v.isDouble())
            fail(where, QStringLiteral("must be a number"));
        const double d = v.toDouble();
        if (d != std::floor(d) || d < lo || d > hi)
            fail(where, QStringLiteral("%1 is outside %2..%3")
                            .arg(v.toVariant().toString())
                            .arg(qint64(lo))
                            .arg(qint64(hi)));
        return d;
    }
    static double optInteger(const QJsonObject& o, const char* key, const QString& where, double lo,
                             double hi, double def)
    {
        const QJsonValue v = o.value(QLatin1String(key));
        return v.isUndefined() ? def
                               : integer(v, where + QLatin1Char('.') + QLatin1String(key), lo, hi);
    }
    static QString text(const QJsonValue& v, const QString& where)
    {
        if (!v.isString())
            fail(where, QStringLiteral("must be a text"));
        return v.toString();
    }
    static QJsonArray array(const QJsonObject& o, const char* key, const QString& where)
    {
        const QJsonValue v = o.value(QLatin1String(key));
        if (v.isUndefined())
            return {};
        if (!v.isArray())
            fail(where + QLatin1String(key), QStringLiteral("must be an array"));
        return v.toArray();
    }
    static QJsonObject object(const QJsonValue& v, const QString& where)
    {
        if (!v.isObject())
            fail(where, QStringLiteral("must be an object"));
        return v.toObject();
    }

    void readVolumes(const QJsonObject& root);
    void readObjects(const QJsonObject& root);
    void readObjectLinks(const QJsonObject& root);
    void readServerInfo(const QJsonObject& root);
    void readWorkstation(const QJsonObject& root);
    void readConnections(const QJsonObject& root);
    void readTrustees(const QJsonObject& root);
    void readFiles(const QJsonObject& root);
    void readFaults(const QJsonObject& root);
    QString volumePath(const QJsonValue& v, const QString& where) const;
    std::uint32_t objectRef(const QJsonValue& v, const QString& where) const;
    std::optional<QDateTime> date(const QJsonObject& o, const char* key,
                                  const QString& where) const;
};

std::shared_ptr<SimState> Reader::read(const QJsonObject& root)
{
    auto state = std::make_shared<SimState>();
    s_ = state.get();
    s_->server = text(root.value(QLatin1String("server")), QStringLiteral("server"));
    if (s_->server.isEmpty() || s_->server.size() > 47)
        fail(QStringLiteral("server"), QStringLiteral("name must have 1 to 47 characters"));
    const QJsonValue version = root.value(QLatin1String("version"));
    if (!version.isUndefined()) {
        if (!version.isArray() || version.toArray().size() != 2)
            fail(QStringLiteral("version"), QStringLiteral("must be [major, minor]"));
        s_->versionMajor = int(integer(version.toArray()[0], QStringLiteral("version[0]"), 0, 255));
        s_->versionMinor = int(integer(version.toArray()[1], QStringLiteral("version[1]"), 0, 255));
    }
    readVolumes(root);
    readObjects(root);
    readObjectLinks(root);
    readWorkstation(root);
    readConnections(root);
    readTrustees(root);
    readFiles(root);
    readFaults(root);
    s_->latencyMs = int(optInteger(root, "latencyMs", QString(), 0, 600000, 0));
    s_->batchSize = int(optInteger(root, "batchSize", QString(), 1, 70, 70));
    s_->emptyBatches = int(optInteger(root, "emptyBatches", QString(), 0, 100000, 0));
    readServerInfo(root);
    for (auto it = root.begin(); it != root.end(); ++it)
        if (!kKnownKeys.contains(it.key()))
            s_->unknownKeys.insert(it.key(), it.value());
    s_->reindex();
    return state;
}

void Reader::readVolumes(const QJsonObject& root)
{
    if (!root.contains(QLatin1String("volumes")))
        fail(QStringLiteral("volumes"), QStringLiteral("missing"));
    const QJsonArray volumes = array(root, "volumes", QString());
    QSet<QString> seen;
    for (int i = 0; i < volumes.size(); ++i) {
        const QString where = QStringLiteral("volumes[%1]").arg(i);
        const QJsonObject v = object(volumes[i], where);
        SimVolume vol;
        vol.name = text(v.value(QLatin1String("name")), where + QLatin1String(".name"));
        if (vol.name.isEmpty() ||
            vol.name.contains(QRegularExpression(QStringLiteral("[:\\\\/ ]"))))
            fail(where + QLatin1String(".name"),
                 QStringLiteral("\"%1\" is not a volume name").arg(vol.name));
        if (seen.contains(vol.name.toUpper()))
            fail(where + QLatin1String(".name"),
                 QStringLiteral("volume %1 appears twice").arg(vol.name));
        seen.insert(vol.name.toUpper());
        vol.root = text(v.value(QLatin1String("root")), where + QLatin1String(".root"));
        vol.hostDir = QDir::cleanPath(QDir(folder_).absoluteFilePath(vol.root));
        if (vol.root.isEmpty() || !QFileInfo(vol.hostDir).isDir())
            fail(where + QLatin1String(".root"),
                 QStringLiteral("folder %1 does not exist").arg(vol.hostDir));
        s_->volumes.push_back(vol);
    }
}

void Reader::readObjects(const QJsonObject& root)
{
    const QJsonArray objects = array(root, "objects", QString());
    QSet<QString> names;
    QSet<std::uint32_t> ids;
    for (int i = 0; i < objects.size(); ++i) {
        const QString where = QStringLiteral("objects[%1]").arg(i);
        const QJsonObject o = object(objects[i], where);
        SimObject obj;
        obj.id = std::uint32_t(
            integer(o.value(QLatin1String("id")), where + QLatin1String(".id"), 1, 4294967295.0));
        obj.name = text(o.value(QLatin1String("name")), where + QLatin1String(".name"));
        if (obj.name.isEmpty() || obj.name.size() > 47)
            fail(where + QLatin1String(".name"), QStringLiteral("must have 1 to 47 characters"));
        if (o.contains(QLatin1String("context")))
            obj.context =
                text(o.value(QLatin1String("context")), where + QLatin1String(".context"));
        if (o.contains(QLatin1String("password")))
            obj.password =
                text(o.value(QLatin1String("password")), where + QLatin1String(".password"));
        obj.type = std::uint16_t(optInteger(o, "type", where, 1, 65535, kObjectUser));
        if (o.contains(QLatin1String("fullName")))
            obj.identification =
                text(o.value(QLatin1String("fullName")), where + QLatin1String(".fullName"));
        if (names.contains(obj.name.toUpper()))
            fail(where + QLatin1String(".name"), QStringLiteral("%1 appears twice").arg(obj.name));
        if (ids.contains(obj.id))
            fail(where + QLatin1String(".id"), QStringLiteral("%1 appears twice").arg(obj.id));
        names.insert(obj.name.toUpper());
        ids.insert(obj.id);
        s_->objects.push_back(obj);
    }
    s_->reindex();
}

void Reader::readObjectLinks(const QJsonObject& root)
{
    // Members and equivalences name other objects, so they are read once
    // every object is known.
    const QJsonArray objects = array(root, "objects", QString());
    for (int i = 0; i < objects.size(); ++i) {
        const QString where = QStringLiteral("objects[%1]").arg(i);
        const QJsonObject o = objects[i].toObject();
        SimObject& obj = s_->objects[std::size_t(i)];
        const auto refs = [&](const char* key, std::vector<std::uint32_t>& into) {
            const QJsonArray list = array(o, key, where + QLatin1Char('.'));
            for (int k = 0; k < list.size(); ++k)
                into.push_back(objectRef(
                    list[k], where + QStringLiteral(".%1[%2]").arg(QLatin1String(key)).arg(k)));
        };
        refs("members", obj.members);
        refs("securityEquals", obj.equals);
        if (!obj.members.empty() && obj.type != kObjectGroup)
            fail(where + QLatin1String(".members"),
                 QStringLiteral("only a group (type 2) has members"));
    }
}

void Reader::readServerInfo(const QJsonObject& root)
{
    s_->maxConnections = int(optInteger(root, "maxConnections", QString(), 1, 65535, 250));
    s_->peakConnections = int(optInteger(root, "peakConnections", QString(), 0, 65535, 0));
    if (root.contains(QLatin1String("tree"))) {
        s_->tree = text(root.value(QLatin1String("tree")), QStringLiteral("tree"));
        if (s_->tree.isEmpty() || s_->tree.size() > 32)
            fail(QStringLiteral("tree"), QStringLiteral("name must have 1 to 32 characters"));
    }
    QString error;
    const auto address = parseSimAddress(root.value(QLatin1String("address")), &error);
    if (!address)
        fail(QStringLiteral("address"), error);
    s_->address = *address;
}

void Reader::readWorkstation(const QJsonObject& root)
{
    if (!s_->objects.empty())
        s_->workstation.user = s_->objects.front().name;
    const QJsonValue v = root.value(QLatin1String("workstation"));
    if (v.isUndefined())
        return;
    const QString where = QStringLiteral("workstation");
    const QJsonObject w = object(v, where);
    s_->workstation.connection = std::uint16_t(optInteger(w, "connection", where, 1, 65535, 1));
    if (w.contains(QLatin1String("user"))) {
        s_->workstation.user = text(w.value(QLatin1String("user")), where + QLatin1String(".user"));
        if (!s_->objectByName(s_->workstation.user))
            fail(where + QLatin1String(".user"),
                 QStringLiteral("unknown object %1").arg(s_->workstation.user));
    }
    const QJsonValue op = w.value(QLatin1String("consoleOperator"));
    if (!op.isUndefined() && !op.isBool())
        fail(where + QLatin1String(".consoleOperator"), QStringLiteral("must be true or false"));
    s_->workstation.consoleOperator = op.toBool(true);
}

void Reader::readConnections(const QJsonObject& root)
{
    const QJsonArray conns = array(root, "connections", QString());
    QSet<int> numbers;
    s_->connections.reserve(std::size_t(conns.size()));
    for (int i = 0; i < conns.size(); ++i) {
        const QString where = QStringLiteral("connections[%1]").arg(i);
        const QJsonObject o = object(conns[i], where);
        SimConnection c;
        c.number = std::uint16_t(
            integer(o.value(QLatin1String("number")), where + QLatin1String(".number"), 1, 65535));
        if (numbers.contains(c.number))
            fail(where + QLatin1String(".number"),
                 QStringLiteral("connection %1 appears twice").arg(c.number));
        numbers.insert(c.number);
        c.user = text(o.value(QLatin1String("user")), where + QLatin1String(".user"));
        if (!s_->objectByName(c.user))
            fail(where + QLatin1String(".user"), QStringLiteral("unknown object %1").arg(c.user));
        c.login = QDateTime(QDate(1980, 1, 1), QTime(0, 0));
        if (o.contains(QLatin1String("login"))) {
            auto t = parseStateTime(
                text(o.value(QLatin1String("login")), where + QLatin1String(".login")), false);
            if (!t)
                fail(where + QLatin1String(".login"),
                     QStringLiteral("must be YYYY-MM-DD HH:MM:SS"));
            c.login = *t;
        }
        QString error;
        auto address = parseSimAddress(o.value(QLatin1String("address")), &error);
        if (!address)
            fail(where + QLatin1String(".address"), error);
        c.address = *address;
        const QJsonValue accepts = o.value(QLatin1String("acceptsMessages"));
        if (!accepts.isUndefined() && !accepts.isBool())
            fail(where + QLatin1String(".acceptsMessages"),
                 QStringLiteral("must be true or false"));
        c.acceptsMessages = accepts.toBool(true);
        const QJsonArray open = array(o, "open", where + QLatin1Char('.'));
        QSet<QString> seen;
        for (int k = 0; k < open.size(); ++k) {
            const QString w = where + QStringLiteral(".open[%1]").arg(k);
            const QJsonObject e = object(open[k], w);
            SimOpenEntry entry;
            entry.path = volumePath(e.value(QLatin1String("path")), w + QLatin1String(".path"));
            entry.task = std::uint16_t(optInteger(e, "task", w, 0, 65535, 1));
            entry.lockType = std::uint8_t(optInteger(e, "lockType", w, 0, 255, 0));
            entry.access = std::uint8_t(optInteger(e, "access", w, 0, 255, 0));
            const QJsonValue locked = e.value(QLatin1String("locked"));
            entry.locked = locked.isBool() ? std::uint8_t(locked.toBool() ? 1 : 0)
                                           : std::uint8_t(optInteger(e, "locked", w, 0, 255, 0));
            const QString key =
                normalizeNwPath(entry.path) + QLatin1Char('#') + QString::number(entry.task);
            if (seen.contains(key))
                fail(w,
                     QStringLiteral("task %1 has %2 open twice").arg(entry.task).arg(entry.path));
            seen.insert(key);
            c.open.push_back(entry);
        }
        const QJsonValue messages = o.value(QLatin1String("messages"));
        if (!messages.isUndefined() && !messages.isArray())
            fail(where + QLatin1String(".messages"), QStringLiteral("must be an array"));
        c.messages = messages.toArray();
        s_->connections.push_back(std::move(c));
    }
}

void Reader::readTrustees(const QJsonObject& root)
{
    const QJsonArray trustees = array(root, "trustees", QString());
    for (int i = 0; i < trustees.size(); ++i) {
        const QString where = QStringLiteral("trustees[%1]").arg(i);
        const QJsonObject o = object(trustees[i], where);
        SimTrustee t;
        t.path = volumePath(o.value(QLatin1String("path")), where + QLatin1String(".path"));
        t.objectId = objectRef(o.value(QLatin1String("object")), where + QLatin1String(".object"));
        if (t.objectId == 0)
            fail(where + QLatin1String(".object"), QStringLiteral("missing"));
        t.rights = std::uint16_t(
            integer(o.value(QLatin1String("rights")), where + QLatin1String(".rights"), 0, 65535));
        s_->trustees.push_back(t);
    }
}

void Reader::readFiles(const QJsonObject& root)
{
    const QJsonValue v = root.value(QLatin1String("files"));
    if (v.isUndefined())
        return;
    const QJsonObject files = object(v, QStringLiteral("files"));
    for (auto it = files.begin(); it != files.end(); ++it) {
        const QString where = QStringLiteral("files[\"%1\"]").arg(it.key());
        const QJsonObject o = object(it.value(), where);
        SimFileData f;
        f.path = volumePath(it.key(), where);
        if (o.contains(QLatin1String("attributes")))
            f.attributes =
                std::uint32_t(integer(o.value(QLatin1String("attributes")),
                                      where + QLatin1String(".attributes"), 0, 4294967295.0));
        f.created = date(o, "created", where);
        f.archived = date(o, "archived", where);
        f.modified = date(o, "modified", where);
        f.accessed = date(o, "accessed", where);
        f.owner = objectRef(o.value(QLatin1String("owner")), where + QLatin1String(".owner"));
        f.archiver =
            objectRef(o.value(QLatin1String("archiver")), where + QLatin1String(".archiver"));
        f.modifier =
            objectRef(o.value(QLatin1String("modifier")), where + QLatin1String(".modifier"));
        s_->files.push_back(f);
    }
}

void Reader::readFaults(const QJsonObject& root)
{
    const QJsonArray faults = array(root, "faults", QString());
    for (int i = 0; i < faults.size(); ++i) {
        const QString where = QStringLiteral("faults[%1]").arg(i);
        const QJsonObject o = object(faults[i], where);
        SimFault f;
        f.call = text(o.value(QLatin1String("call")), where + QLatin1String(".call"));
        const QJsonValue code = o.value(QLatin1String("code"));
        if (code.isString()) {
            bool ok = false;
            f.code = code.toString().toUInt(&ok, 0);
            if (!ok)
                fail(where + QLatin1String(".code"),
                     QStringLiteral("\"%1\" is not a number").arg(code.toString()));
        } else {
            f.code = std::uint32_t(integer(code, where + QLatin1String(".code"), 0, 4294967295.0));
        }
        f.count = int(optInteger(o, "count", where, -1, 1e9, 1));
        s_->faults.push_back(f);
    }
}

QString Reader::volumePath(const QJsonValue& v, const QString& where) const
{
    const QString path = text(v, where);
    const auto split = splitNwPath(path);
    if (!split)
        fail(where, QStringLiteral("\"%1\" is not a VOLUME:PATH").arg(path));
    if (s_->volumeIndex(split->volume) < 0)
        fail(where, QStringLiteral("unknown volume %1").arg(split->volume));
    return path;
}

std::uint32_t Reader::objectRef(const QJsonValue& v, const QString& where) const
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

std::optional<QDateTime> Reader::date(const QJsonObject& o, const char* key,
                                      const QString& where) const
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined() || v.isNull())
        return std::nullopt;
    const auto t = parseStateTime(text(v, where + QLatin1Char('.') + QLatin1String(key)), true);
    if (!t)
        fail(where + QLatin1Char('.') + QLatin1String(key),
             QStringLiteral("must be YYYY-MM-DD[ HH:MM:SS]"));
    return t;
}

} // namespace

SimLoadResult parseSimState(const QByteArray& json, const QString& statePath)
{
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return {nullptr, QStringLiteral("%1: malformed JSON at offset %2: %3")
                             .arg(statePath)
                             .arg(parseError.offset)
                             .arg(parseError.errorString())};
    if (!doc.isObject())
        return {nullptr, QStringLiteral("%1: the state must be one JSON object").arg(statePath)};
    try {
        Reader reader(QFileInfo(statePath).absolutePath());
        return {reader.read(doc.object()), QString()};
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
