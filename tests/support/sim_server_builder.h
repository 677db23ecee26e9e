// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Builds a simulated server for a test in a few lines: a state file and its
// volume folders in a temporary directory that lives as long as the builder.
//
//   SimServerBuilder b;                        // FS1 6.5, SYS and DATA, ADMIN at connection 1
//   b.user("JSMITH", "SALES.ACME")
//    .file("DATA:REPORTS\\Q1.XLS")
//    .connection(5, "JSMITH").opens(5, "DATA:REPORTS\\Q1.XLS");
//   auto client = b.client();                  // F: -> FS1/DATA:
//
// Everything goes into the JSON as given, so a test can also write what the
// server must refuse (set("batchSize", 0)).

#include "netware/sim_client.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>

#include <map>
#include <memory>

class SimServerBuilder
{
public:
    explicit SimServerBuilder(const QString& serverName = QStringLiteral("FS1"));

    SimServerBuilder& version(int major, int minor);
    // Adds a volume with an empty folder volumes/NAME.
    SimServerBuilder& volume(const QString& name);
    SimServerBuilder& noVolumes();
    // id 0 picks the next free id from 1001.
    SimServerBuilder& user(const QString& name, const QString& context = QString(),
                           std::uint32_t id = 0);
    // Gives an object added before a "password" (plain text).
    SimServerBuilder& password(const QString& name, const QString& password);
    // Gives an object added before what the directory login needs, as
    // "quorvex-sim password" does (its password hash and a key pair, no clear
    // password), and the server a key pair when it has none.
    SimServerBuilder& directoryKeys(const QString& name, const QString& password = QString());
    // Any key of an object added before ("intruderLimit", "type", "members", ...).
    SimServerBuilder& objectKey(const QString& name, const QString& key, const QJsonValue& value);
    SimServerBuilder& workstation(int connection, const QString& user, bool consoleOperator = true);
    // Creates the host file (and its folders) for VOL:PATH.
    SimServerBuilder& file(const QString& path, const QByteArray& content = "data\n");
    SimServerBuilder& directory(const QString& path);
    SimServerBuilder& connection(int number, const QString& user,
                                 const QString& login = QStringLiteral("2004-03-07 09:15:42"),
                                 const QJsonValue& address = QJsonValue());
    SimServerBuilder& acceptsMessages(int number, bool accepts);
    SimServerBuilder& opens(int number, const QString& path, int task = 1, int lockType = 8,
                            int access = 3, int locked = 0);
    SimServerBuilder& trustee(const QString& path, const QString& object, int rights);
    // One entry of "files" (owner, attributes, created, ...).
    SimServerBuilder& fileData(const QString& path, const QJsonObject& data);
    SimServerBuilder& fault(const QString& call, std::uint32_t code, int count = 1);
    // Any top-level key (latencyMs, batchSize, emptyBatches, or nonsense).
    SimServerBuilder& set(const QString& key, const QJsonValue& value);

    // Writes the state file; returns its path. May be called again after changes.
    QString write();

    QString dir() const { return dir_.path(); }
    QString statePath() const;
    QString serverName() const { return root_.value(QLatin1String("server")).toString(); }
    // Host path of VOL:PATH.
    QString hostPath(const QString& path) const;
    // The current JSON (after write(), as written).
    QJsonObject json() const { return root_; }

    // Writes, then a client that knows this server and the given drives
    // (default: F: on the DATA volume).
    std::unique_ptr<nw::SimClient> client(std::map<QChar, nw::NetworkDriveTarget> drives = {});

private:
    QTemporaryDir dir_;
    QJsonObject root_;
    QJsonArray connections_;
    std::uint32_t nextId_ = 1001;
};
