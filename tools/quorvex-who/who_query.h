// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The questions quorvex-who asks the servers through the client interface:
// who holds a file, what a user's connections hold, which connections a
// server has (and what they hold). One server connection per server for the
// whole run, as the window's scan makes; each connection is described once.
// Problems go to the error stream as one line each, and make failed() true;
// whatever could be found is still returned.

#include "who_records.h"

#include "netware/netware_client.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <deque>
#include <map>
#include <optional>
#include <vector>

namespace quorvex::who {

class WhoSetup;

class WhoQuery
{
public:
    WhoQuery(WhoSetup& setup, QTextStream& errors);
    ~WhoQuery();
    WhoQuery(const WhoQuery&) = delete;
    WhoQuery& operator=(const WhoQuery&) = delete;

    std::vector<HolderRow> holdersOf(const QStringList& files);
    // server "" asks every server of the settings. *connections: how many of
    // the user's connections were found.
    std::vector<HolderRow> filesOfUser(const QString& user, const QString& server,
                                       int* connections);
    std::vector<ServerRow> connectionsOf(const QString& server, bool withFiles);

    bool failed() const { return failed_; }

private:
    struct Server
    {
        QString name;
        nw::NWCONN_HANDLE conn = 0;
        bool checked = false; // the version was asked
        bool directory = false;
        bool unreachable = false; // reported as such
        // Each connection described once: factAt[number] is its place in
        // facts, -1 until it is asked for.
        std::vector<std::int32_t> factAt;
        std::deque<std::optional<ConnectionFacts>> facts;
        QHash<std::uint32_t, QString> fullNames;
        QHash<quint64, QString> directories; // volume << 32 | entry -> path
    };

    void fail(const QString& subject, const QString& why);
    QString codeText(const Server& server, nw::NWCCODE code);
    QString unreachableText(const QString& server);
    void scanFile(const QString& argument, std::vector<HolderRow>& rows);
    Server* open(const QString& name);
    Server& adopt(const QString& name, nw::NWCONN_HANDLE conn);
    void checkVersion(Server& server);
    // nullopt when the connection's information cannot be read (it is gone).
    const std::optional<ConnectionFacts>& describe(Server& server, std::uint16_t connection);
    QString fullName(Server& server, std::uint32_t objectId);
    QString directoryPath(Server& server, std::uint8_t volume, std::uint32_t entry);
    // False when the server refused (reported).
    bool openFiles(Server& server, std::uint16_t connection, std::vector<OpenFact>& files);

    WhoSetup& setup_;
    nw::NetWareClient& client_;
    QTextStream& errors_;
    std::map<QString, Server> servers_; // by upper-case name
    nw::NWDSContextHandle context_ = 0;
    bool failed_ = false;
};

} // namespace quorvex::who
