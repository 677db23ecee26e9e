// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/volume_world.h"

#include "ncp/ncp_client.h"
#include "platform/volume_files.h"

#include <QDir>
#include <QJsonObject>
#include <QTest>

VolumeWorld::~VolumeWorld()
{
    form_.reset(); // the window goes before the client it talks to
}

bool VolumeWorld::open(VolumeReach reach, const QString& user)
{
    if (reach == VolumeReach::NcpEmulator)
        builder_.set(QStringLiteral("profile"), QStringLiteral("emulator"));
    const QString state = builder_.write();
    const QString name = builder_.serverName();
    QString spec = QStringLiteral("sim:") + state;
    QString drive = QStringLiteral("network:%1/DATA:").arg(name);
    if (reach != VolumeReach::SimFolder) {
        ncpd_ = std::make_unique<NcpdProcess>(state);
        if (!ncpd_->start()) {
            error_ = ncpd_->error();
            return false;
        }
        const QString login = !user.isEmpty() ? user
                                              : builder_.json()
                                                    .value(QLatin1String("workstation"))
                                                    .toObject()
                                                    .value(QLatin1String("user"))
                                                    .toString();
        spec = QStringLiteral("ncp:%1;%2").arg(ncpd_->address(), login);
    }
    if (reach == VolumeReach::Mount)
        drive += QLatin1Char('@') + QDir(builder_.hostPath(QStringLiteral("DATA:"))).absolutePath();
    t.mapDrive(QLatin1Char('F'), drive);
    const quorvex::DriveMap* drives = &t.drives;
    client_ = std::make_unique<nw::ClientRouter>(
        std::vector<nw::ServerBackend>{{name, spec}},
        [drives](QChar letter) -> std::optional<nw::NetworkDriveTarget> {
            const auto e = drives->entry(letter);
            if (!e || e->type != quorvex::DriveType::Remote)
                return std::nullopt;
            return nw::NetworkDriveTarget{e->server, e->volume, e->volumePath};
        },
        nullptr);
    nw::ClientRouter* client = client_.get();
    t.drives.setVolumeLocator([client](const QString& server, const QString& volume) {
        return client->volumeHostDirectory(server, volume);
    });
    t.drives.setFilesProvider(
        [client](const quorvex::DriveEntry& e) { return client->volumeFiles(e); });
    services_ = std::make_unique<quorvex::Services>(t.services());
    form_ = std::make_unique<quorvex::Form1>(*services_, *client_);
    form_->show();
    return true;
}

std::uint64_t VolumeWorld::requests()
{
    const ncp::NcpClient* c = client_ ? client_->ncpClient(builder_.serverName()) : nullptr;
    return c ? c->requestsSent() : 0;
}

QStringList VolumeWorld::hostNames(const QString& folder) const
{
    return QDir(builder_.hostPath(QStringLiteral("DATA:") + folder))
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

void VolumeWorld::addReaches(bool withEmulator)
{
    QTest::addColumn<VolumeReach>("reach");
    QTest::newRow("simulated volume's folder") << VolumeReach::SimFolder;
    QTest::newRow("@ mount") << VolumeReach::Mount;
    QTest::newRow("over NCP") << VolumeReach::Ncp;
    if (withEmulator)
        QTest::newRow("over NCP, emulator") << VolumeReach::NcpEmulator;
}
