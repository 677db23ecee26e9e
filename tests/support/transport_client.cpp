// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/transport_client.h"

#include "ncp/client_router.h"
#include "netware/sim_state_reader.h"
#include "support/ncpd_process.h"
#include "support/sim_server_builder.h"

#include <QTest>

TransportClient::TransportClient(SimServerBuilder& builder, Transport transport,
                                 std::map<QChar, nw::NetworkDriveTarget> drives)
    : builder_(builder)
{
    if (drives.empty())
        drives[QLatin1Char('F')] = {builder.serverName(), QStringLiteral("DATA"), QString()};
    if (transport == Transport::NcpEmulator)
        builder.set(QStringLiteral("profile"), QStringLiteral("emulator"));
    // The workstation's user; the builder's objects have no password.
    const QString user = builder.json()
                             .value(QLatin1String("workstation"))
                             .toObject()
                             .value(QLatin1String("user"))
                             .toString();
    QString login = user;
    if (transport == Transport::Ncp || transport == Transport::NcpEmulator) {
        login += QStringLiteral(";bindery");
    } else if (transport == Transport::NcpDirectorySigned) {
        builder.directoryKeys(user).set(QStringLiteral("signatureLevel"), 3);
        for (const QJsonValue& o : builder.json().value(QLatin1String("objects")).toArray())
            if (o.toObject().value(QLatin1String("name")).toString() == user &&
                !o.toObject().value(QLatin1String("context")).toString().isEmpty())
                login = QLatin1Char('.') + user + QLatin1Char('.') +
                        o.toObject().value(QLatin1String("context")).toString();
    }
    const QString state = builder.write();
    const QString name = builder.serverName();
    QString spec = QStringLiteral("sim:") + state;
    if (transport != Transport::InProcess) {
        ncpd_ = std::make_unique<NcpdProcess>(state);
        if (!ncpd_->start()) {
            error_ = ncpd_->error();
            return;
        }
        spec = QStringLiteral("ncp:%1;%2").arg(ncpd_->address(), login);
    }
    client_ = std::make_unique<nw::ClientRouter>(
        std::vector<nw::ServerBackend>{{name, spec}},
        [drives](QChar letter) -> std::optional<nw::NetworkDriveTarget> {
            const auto it = drives.find(letter.toUpper());
            if (it == drives.end())
                return std::nullopt;
            return it->second;
        },
        nullptr);
}

TransportClient::~TransportClient() = default;

QString TransportClient::volumeHostDirectory(const QString&, const QString& volume) const
{
    QString dir = builder_.hostPath(volume + QLatin1Char(':'));
    while (dir.endsWith(QLatin1Char('/')))
        dir.chop(1);
    return dir;
}

std::shared_ptr<const nw::SimState> TransportClient::state() const
{
    return nw::loadSimState(builder_.statePath()).state;
}

void TransportClient::addTransports()
{
    QTest::addColumn<Transport>("transport");
    QTest::newRow("in process") << Transport::InProcess;
    QTest::newRow("over NCP") << Transport::Ncp;
    QTest::newRow("over NCP, emulator") << Transport::NcpEmulator;
    QTest::newRow("over NCP, directory login, signed") << Transport::NcpDirectorySigned;
}
