// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The client a test talks to a builder's server through: in this process (the
// simulated server's own client) or over NCP on loopback, through a
// quorvex-ncpd serving the same state file, answering as NetWare does or as
// the server emulators do (its "profile"), or as NetWare does after a
// directory login on a server that requires signed packets. A test that takes
// the transport as data runs once each way and must see the same results.
//
//   QFETCH(Transport, transport);
//   TransportClient server(builder, transport);
//   QVERIFY2(server.ready(), qPrintable(server.error()));
//   Form1 form(services, server.client());

#include "netware/netware_client.h"
#include "netware/sim_client.h"
#include "netware/sim_state.h"

#include <QMetaType>
#include <QString>

#include <map>
#include <memory>

class NcpdProcess;
class SimServerBuilder;

enum class Transport
{
    InProcess,
    Ncp,
    NcpEmulator,
    NcpDirectorySigned
};
Q_DECLARE_METATYPE(Transport)

class TransportClient
{
public:
    // Writes the builder's state. Drives: default F: on the DATA volume.
    TransportClient(SimServerBuilder& builder, Transport transport,
                    std::map<QChar, nw::NetworkDriveTarget> drives = {});
    ~TransportClient();

    bool ready() const { return error_.isEmpty(); }
    const QString& error() const { return error_; }
    nw::NetWareClient& client() { return *client_; }
    // Where a volume's files are on this machine (the builder's folder).
    QString volumeHostDirectory(const QString& server, const QString& volume) const;
    // The NCP server behind the client (null in process).
    NcpdProcess* ncpd() { return ncpd_.get(); }
    // The server's state as its file holds it now.
    std::shared_ptr<const nw::SimState> state() const;

    // The current test's data: a column "transport" and a row for each.
    static void addTransports();

private:
    SimServerBuilder& builder_;
    std::unique_ptr<NcpdProcess> ncpd_;
    std::unique_ptr<nw::NetWareClient> client_;
    QString error_;
};
