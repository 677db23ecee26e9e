// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/sim_server_builder.h"

#include "ncpauth/object_keys.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>

namespace {

QJsonArray arrayOf(const QJsonObject& o, const char* key)
{
    return o.value(QLatin1String(key)).toArray();
}

} // namespace

SimServerBuilder::SimServerBuilder(const QString& serverName)
{
    root_.insert(QLatin1String("server"), serverName);
    root_.insert(QLatin1String("version"), QJsonArray{6, 5});
    volume(QStringLiteral("SYS"));
    volume(QStringLiteral("DATA"));
    user(QStringLiteral("ADMIN"), QString(), 1);
    workstation(1, QStringLiteral("ADMIN"));
}

SimServerBuilder& SimServerBuilder::version(int major, int minor)
{
    return set(QStringLiteral("version"), QJsonArray{major, minor});
}

SimServerBuilder& SimServerBuilder::volume(const QString& name)
{
    QDir(dir_.path()).mkpath(QStringLiteral("volumes/") + name);
    QJsonArray volumes = arrayOf(root_, "volumes");
    volumes.append(QJsonObject{{QLatin1String("name"), name},
                               {QLatin1String("root"), QStringLiteral("volumes/") + name}});
    return set(QStringLiteral("volumes"), volumes);
}

SimServerBuilder& SimServerBuilder::noVolumes()
{
    return set(QStringLiteral("volumes"), QJsonArray());
}

SimServerBuilder& SimServerBuilder::user(const QString& name, const QString& context,
                                         std::uint32_t id)
{
    QJsonArray objects = arrayOf(root_, "objects");
    QJsonObject o{{QLatin1String("id"), double(id ? id : nextId_++)},
                  {QLatin1String("name"), name}};
    if (!context.isEmpty())
        o.insert(QLatin1String("context"), context);
    objects.append(o);
    return set(QStringLiteral("objects"), objects);
}

SimServerBuilder& SimServerBuilder::password(const QString& name, const QString& password)
{
    return objectKey(name, QStringLiteral("password"), password);
}

SimServerBuilder& SimServerBuilder::directoryKeys(const QString& name, const QString& password)
{
    QJsonArray objects = arrayOf(root_, "objects");
    for (qsizetype i = 0; i < objects.size(); ++i) {
        QJsonObject o = objects[i].toObject();
        if (o.value(QLatin1String("name")).toString() != name)
            continue;
        nw::SimObject object;
        object.id = std::uint32_t(o.value(QLatin1String("id")).toDouble());
        if (!ncp::setObjectPassword(object, password, true))
            qFatal("cannot make a key pair");
        o.remove(QLatin1String("password"));
        o.insert(QLatin1String("passwordHash"), QString::fromLatin1(object.passwordHash.toHex()));
        o.insert(QLatin1String("publicKey"), QString::fromLatin1(object.publicKey.toBase64()));
        o.insert(QLatin1String("privateKey"), QString::fromLatin1(object.privateKey.toBase64()));
        objects[i] = o;
    }
    set(QStringLiteral("objects"), objects);
    if (!root_.contains(QLatin1String("privateKey"))) {
        nw::SimState server;
        if (!ncp::ensureServerKeys(server))
            qFatal("cannot make the server's key pair");
        set(QStringLiteral("publicKey"), QString::fromLatin1(server.publicKey.toBase64()));
        set(QStringLiteral("privateKey"), QString::fromLatin1(server.privateKey.toBase64()));
    }
    return *this;
}

SimServerBuilder& SimServerBuilder::objectKey(const QString& name, const QString& key,
                                              const QJsonValue& value)
{
    QJsonArray objects = arrayOf(root_, "objects");
    for (qsizetype i = 0; i < objects.size(); ++i) {
        QJsonObject o = objects[i].toObject();
        if (o.value(QLatin1String("name")).toString() == name) {
            o.insert(key, value);
            objects[i] = o;
        }
    }
    return set(QStringLiteral("objects"), objects);
}

SimServerBuilder& SimServerBuilder::workstation(int connection, const QString& user,
                                                bool consoleOperator)
{
    return set(QStringLiteral("workstation"),
               QJsonObject{{QLatin1String("connection"), connection},
                           {QLatin1String("user"), user},
                           {QLatin1String("consoleOperator"), consoleOperator}});
}

QString SimServerBuilder::hostPath(const QString& path) const
{
    const qsizetype colon = path.indexOf(QLatin1Char(':'));
    QString rest = path.mid(colon + 1);
    rest.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return dir_.path() + QStringLiteral("/volumes/") + path.left(colon) + QLatin1Char('/') + rest;
}

SimServerBuilder& SimServerBuilder::file(const QString& path, const QByteArray& content)
{
    const QString host = hostPath(path);
    QDir().mkpath(QFileInfo(host).absolutePath());
    QFile f(host);
    if (f.open(QIODevice::WriteOnly))
        f.write(content);
    return *this;
}

SimServerBuilder& SimServerBuilder::directory(const QString& path)
{
    QDir().mkpath(hostPath(path));
    return *this;
}

SimServerBuilder& SimServerBuilder::connection(int number, const QString& user,
                                               const QString& login, const QJsonValue& address)
{
    QJsonObject c{{QLatin1String("number"), number},
                  {QLatin1String("user"), user},
                  {QLatin1String("login"), login},
                  {QLatin1String("open"), QJsonArray()}};
    if (!address.isUndefined() && !address.isNull())
        c.insert(QLatin1String("address"), address);
    connections_.append(c);
    return *this;
}

SimServerBuilder& SimServerBuilder::acceptsMessages(int number, bool accepts)
{
    for (qsizetype i = 0; i < connections_.size(); ++i) {
        QJsonObject c = connections_[i].toObject();
        if (c.value(QLatin1String("number")).toInt() != number)
            continue;
        c.insert(QLatin1String("acceptsMessages"), accepts);
        connections_[i] = c;
    }
    return *this;
}

SimServerBuilder& SimServerBuilder::opens(int number, const QString& path, int task, int lockType,
                                          int access, int locked)
{
    for (qsizetype i = 0; i < connections_.size(); ++i) {
        QJsonObject c = connections_[i].toObject();
        if (c.value(QLatin1String("number")).toInt() != number)
            continue;
        QJsonArray open = c.value(QLatin1String("open")).toArray();
        open.append(QJsonObject{{QLatin1String("path"), path},
                                {QLatin1String("task"), task},
                                {QLatin1String("lockType"), lockType},
                                {QLatin1String("access"), access},
                                {QLatin1String("locked"), locked}});
        c.insert(QLatin1String("open"), open);
        connections_[i] = c;
    }
    return *this;
}

SimServerBuilder& SimServerBuilder::trustee(const QString& path, const QString& object, int rights)
{
    QJsonArray trustees = arrayOf(root_, "trustees");
    trustees.append(QJsonObject{{QLatin1String("path"), path},
                                {QLatin1String("object"), object},
                                {QLatin1String("rights"), rights}});
    return set(QStringLiteral("trustees"), trustees);
}

SimServerBuilder& SimServerBuilder::fileData(const QString& path, const QJsonObject& data)
{
    QJsonObject files = root_.value(QLatin1String("files")).toObject();
    files.insert(path, data);
    return set(QStringLiteral("files"), files);
}

SimServerBuilder& SimServerBuilder::fault(const QString& call, std::uint32_t code, int count)
{
    QJsonArray faults = arrayOf(root_, "faults");
    faults.append(QJsonObject{{QLatin1String("call"), call},
                              {QLatin1String("code"), double(code)},
                              {QLatin1String("count"), count}});
    return set(QStringLiteral("faults"), faults);
}

SimServerBuilder& SimServerBuilder::set(const QString& key, const QJsonValue& value)
{
    root_.insert(key, value);
    return *this;
}

QString SimServerBuilder::statePath() const
{
    return dir_.path() + QLatin1Char('/') + serverName() + QStringLiteral(".json");
}

QString SimServerBuilder::write()
{
    root_.insert(QLatin1String("connections"), connections_);
    QFile f(statePath());
    if (f.open(QIODevice::WriteOnly))
        f.write(QJsonDocument(root_).toJson());
    return statePath();
}

std::unique_ptr<nw::SimClient>
SimServerBuilder::client(std::map<QChar, nw::NetworkDriveTarget> drives)
{
    write();
    if (drives.empty())
        drives[QLatin1Char('F')] =
            nw::NetworkDriveTarget{serverName(), QStringLiteral("DATA"), QString()};
    std::vector<nw::ServerBackend> servers{{serverName(), QStringLiteral("sim:") + statePath()}};
    return std::make_unique<nw::SimClient>(
        servers, [drives](QChar letter) -> std::optional<nw::NetworkDriveTarget> {
            auto it = drives.find(letter);
            if (it == drives.end())
                return std::nullopt;
            return it->second;
        });
}
