// SPDX-License-Identifier: GPL-3.0-or-later
#include "netware/sim_state_writer.h"

#include "netware/sim_address.h"
#include "netware/sim_path.h"
#include "platform/file_writes.h"

#include <QJsonDocument>

namespace nw {
namespace {

QJsonValue objectName(const SimState& s, std::uint32_t id)
{
    if (id == 0)
        return QJsonValue(QJsonValue::Null);
    const SimObject* o = s.objectById(id);
    return o ? QJsonValue(o->name) : QJsonValue(double(id));
}

QJsonValue dateValue(const std::optional<QDateTime>& d)
{
    return d ? QJsonValue(formatStateTime(*d)) : QJsonValue(QJsonValue::Null);
}

QJsonObject connectionToJson(const SimConnection& c)
{
    QJsonObject o;
    o.insert(QLatin1String("number"), c.number);
    o.insert(QLatin1String("user"), c.user);
    o.insert(QLatin1String("login"), formatStateTime(c.login));
    const QJsonValue address = simAddressToJson(c.address);
    if (!address.isNull())
        o.insert(QLatin1String("address"), address);
    o.insert(QLatin1String("acceptsMessages"), c.acceptsMessages);
    QJsonArray open;
    for (const SimOpenEntry& e : c.open)
        open.append(QJsonObject{{QLatin1String("path"), e.path},
                                {QLatin1String("task"), e.task},
                                {QLatin1String("lockType"), e.lockType},
                                {QLatin1String("access"), e.access},
                                {QLatin1String("locked"), e.locked}});
    o.insert(QLatin1String("open"), open);
    o.insert(QLatin1String("messages"), c.messages);
    return o;
}

} // namespace

QByteArray simStateToJson(const SimState& s)
{
    QJsonObject root = s.unknownKeys;
    root.insert(QLatin1String("server"), s.server);
    root.insert(QLatin1String("version"), QJsonArray{s.versionMajor, s.versionMinor});
    QJsonArray volumes;
    for (const SimVolume& v : s.volumes) {
        QJsonObject volume{{QLatin1String("name"), v.name}, {QLatin1String("root"), v.root}};
        if (!v.longNames)
            volume.insert(QLatin1String("longNames"), false);
        volumes.append(volume);
    }
    root.insert(QLatin1String("volumes"), volumes);
    QJsonArray objects;
    for (const SimObject& o : s.objects) {
        QJsonObject j{{QLatin1String("id"), double(o.id)}, {QLatin1String("name"), o.name}};
        if (!o.context.isEmpty())
            j.insert(QLatin1String("context"), o.context);
        if (o.password)
            j.insert(QLatin1String("password"), *o.password);
        if (!o.passwordHash.isEmpty())
            j.insert(QLatin1String("passwordHash"), QString::fromLatin1(o.passwordHash.toHex()));
        if (!o.publicKey.isEmpty())
            j.insert(QLatin1String("publicKey"), QString::fromLatin1(o.publicKey.toBase64()));
        if (!o.privateKey.isEmpty())
            j.insert(QLatin1String("privateKey"), QString::fromLatin1(o.privateKey.toBase64()));
        // The login keys appear once they mean something, so that a state
        // without them is written back as it was.
        if (o.failedLogins)
            j.insert(QLatin1String("failedLogins"), o.failedLogins);
        if (o.intruderLimit)
            j.insert(QLatin1String("intruderLimit"), o.intruderLimit);
        if (o.passwordExpired)
            j.insert(QLatin1String("passwordExpired"), true);
        if (o.passwordExpired || o.graceLogins)
            j.insert(QLatin1String("graceLogins"), o.graceLogins);
        if (o.disabled)
            j.insert(QLatin1String("disabled"), true);
        if (o.type != kObjectUser)
            j.insert(QLatin1String("type"), o.type);
        if (!o.identification.isEmpty())
            j.insert(QLatin1String("fullName"), o.identification);
        const auto refs = [&](const std::vector<std::uint32_t>& ids) {
            QJsonArray list;
            for (const std::uint32_t id : ids)
                list.append(objectName(s, id));
            return list;
        };
        if (!o.members.empty())
            j.insert(QLatin1String("members"), refs(o.members));
        if (!o.equals.empty())
            j.insert(QLatin1String("securityEquals"), refs(o.equals));
        objects.append(j);
    }
    root.insert(QLatin1String("objects"), objects);
    root.insert(QLatin1String("workstation"),
                QJsonObject{{QLatin1String("connection"), s.workstation.connection},
                            {QLatin1String("user"), s.workstation.user},
                            {QLatin1String("consoleOperator"), s.workstation.consoleOperator}});
    QJsonArray connections;
    for (const SimConnection& c : s.connections)
        connections.append(connectionToJson(c));
    root.insert(QLatin1String("connections"), connections);
    QJsonArray trustees;
    for (const SimTrustee& t : s.trustees)
        trustees.append(QJsonObject{{QLatin1String("path"), t.path},
                                    {QLatin1String("object"), objectName(s, t.objectId)},
                                    {QLatin1String("rights"), t.rights}});
    root.insert(QLatin1String("trustees"), trustees);
    QJsonObject files;
    for (const SimFileData& f : s.files) {
        QJsonObject j;
        if (f.attributes)
            j.insert(QLatin1String("attributes"), double(*f.attributes));
        j.insert(QLatin1String("owner"), objectName(s, f.owner));
        j.insert(QLatin1String("created"), dateValue(f.created));
        j.insert(QLatin1String("archived"), dateValue(f.archived));
        j.insert(QLatin1String("archiver"), objectName(s, f.archiver));
        j.insert(QLatin1String("modified"), dateValue(f.modified));
        j.insert(QLatin1String("modifier"), objectName(s, f.modifier));
        j.insert(QLatin1String("accessed"), dateValue(f.accessed));
        files.insert(f.path, j);
    }
    root.insert(QLatin1String("files"), files);
    QJsonArray faults;
    for (const SimFault& f : s.faults) {
        QJsonObject fault{{QLatin1String("call"), f.call},
                          {QLatin1String("code"), double(f.code)},
                          {QLatin1String("count"), f.count}};
        if (f.after > 0)
            fault.insert(QLatin1String("after"), f.after);
        faults.append(fault);
    }
    root.insert(QLatin1String("faults"), faults);
    root.insert(QLatin1String("latencyMs"), s.latencyMs);
    root.insert(QLatin1String("batchSize"), s.batchSize);
    root.insert(QLatin1String("emptyBatches"), s.emptyBatches);
    // Keys at their defaults are left out, as a state written by hand has them.
    static const SimState defaults;
    if (s.watchdogSeconds != defaults.watchdogSeconds)
        root.insert(QLatin1String("watchdogSeconds"), s.watchdogSeconds);
    if (s.profile == SimProfile::Emulator)
        root.insert(QLatin1String("profile"), QStringLiteral("emulator"));
    if (s.signatureLevel != defaults.signatureLevel)
        root.insert(QLatin1String("signatureLevel"), s.signatureLevel);
    if (!s.publicKey.isEmpty())
        root.insert(QLatin1String("publicKey"), QString::fromLatin1(s.publicKey.toBase64()));
    if (!s.privateKey.isEmpty())
        root.insert(QLatin1String("privateKey"), QString::fromLatin1(s.privateKey.toBase64()));
    if (s.maxConnections != defaults.maxConnections)
        root.insert(QLatin1String("maxConnections"), s.maxConnections);
    if (s.peakConnections > 0)
        root.insert(QLatin1String("peakConnections"), s.peakConnections);
    if (!s.tree.isEmpty())
        root.insert(QLatin1String("tree"), s.tree);
    const QJsonValue address = simAddressToJson(s.address);
    if (!address.isNull())
        root.insert(QLatin1String("address"), address);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool saveSimState(const SimState& state, const QString& statePath, QString* error)
{
    QString reason;
    if (quorvex::replaceFile(statePath, simStateToJson(state), &reason))
        return true;
    if (error)
        *error = QStringLiteral("cannot write ") + reason;
    return false;
}

} // namespace nw
