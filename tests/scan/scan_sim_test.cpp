// SPDX-License-Identifier: GPL-3.0-or-later
// The window's scan against a simulated server, end to end, in process and over
// NCP: drive map, file check, parse, batches, connection details and directory
// rights.

#include "app/form1.h"
#include "app/message_pane.h"
#include "files/directory_box.h"
#include "files/drive_box.h"
#include "scan/scan_engine.h"
#include "support/ncpd_process.h"
#include "support/sim_server_builder.h"
#include "support/test_services.h"
#include "support/transport_client.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace quorvex;

namespace {

const QString kFile = QStringLiteral("DATA:REPORTS\\Q1.XLS");

struct SimWorld
{
    SimServerBuilder server;
    std::unique_ptr<TransportClient> client;
    TestServices t;
    std::unique_ptr<Services> services;
    std::unique_ptr<Form1> form;

    bool open(Transport transport)
    {
        client = std::make_unique<TransportClient>(server, transport);
        if (!client->ready()) {
            qWarning("%s", qPrintable(client->error()));
            return false;
        }
        t.mapDrive(QLatin1Char('F'), QStringLiteral("network:FS1/DATA:"));
        t.drives.setVolumeLocator([this](const QString& s, const QString& v) {
            return client->volumeHostDirectory(s, v);
        });
        services = std::make_unique<Services>(t.services());
        form = std::make_unique<Form1>(*services, client->client());
        form->Drive1->setDriveMap(&t.drives);
        form->Dir1->setDriveMap(&t.drives);
        form->Drive1->addItem(t.drives.displayName(QLatin1Char('F')));
        form->Drive1->setDrive(QStringLiteral("f:"));
        form->Dir1->setPath(QStringLiteral("F:\\REPORTS"));
        form->List3->addItem(QStringLiteral("Q1.XLS"));
        form->List3->setCurrentRow(0);
        form->Command1->setVisible(true);
        form->show();
        return true;
    }
    void scan() { QTest::mouseClick(form->Command1, Qt::LeftButton); }
};

} // namespace

class ScanSimTest : public QObject
{
    Q_OBJECT
private slots:
    void listsUsersWithTheirDetails_data() { TransportClient::addTransports(); }
    void listsUsersWithTheirDetails();
    void serverRefusal_data() { TransportClient::addTransports(); }
    void serverRefusal();
    void slowServerBatchesAndEmptyAnswers_data() { TransportClient::addTransports(); }
    void slowServerBatchesAndEmptyAnswers();
    void sessionLostMidScanThenBack();
};

void ScanSimTest::listsUsersWithTheirDetails()
{
    SimWorld w;
    w.server.user(QStringLiteral("JSMITH"), QStringLiteral("SALES.ACME"))
        .user(QStringLiteral("bob"))
        .file(kFile)
        .directory(QStringLiteral("DATA:PUBLIC"))
        .connection(5, QStringLiteral("JSMITH"), QStringLiteral("2004-03-07 09:15:42"),
                    QStringLiteral("IP:10.1.2.5"))
        .opens(5, kFile, 1, 8, 3, 0)
        .opens(5, kFile, 2, 8, 3, 0)
        .connection(9, QStringLiteral("bob"), QStringLiteral("2026-10-14 13:30:00"),
                    QStringLiteral("IPX:0000ABCD:001B2C3D4E5F:4003"))
        .opens(9, kFile, 4, 0, 0x0C, 1)
        // Bob's rights on the file's directory count; those on PUBLIC, met
        // later, do not.
        .trustee(QStringLiteral("DATA:REPORTS"), QStringLiteral("bob"), 0x03)
        .trustee(QStringLiteral("DATA:PUBLIC"), QStringLiteral("bob"), 0x1FB)
        // JSMITH sits below the root of the tree, so his plain name is not found there.
        .trustee(QStringLiteral("DATA:REPORTS"), QStringLiteral("JSMITH"), 0x1FB);
    QFETCH(Transport, transport);
    QVERIFY(w.open(transport));
    Settings& o = w.form->settings;
    o.ConnNo = o.TaskNo = o.Opened = o.FileRights = o.DirRights = o.Locked = o.Login = o.Address =
        1;
    w.scan();

    QCOMPARE(w.form->List1->count(), 2);
    QCOMPARE(w.form->List1->item(0)->text(), QStringLiteral("JSMITH"));
    QCOMPARE(w.form->List1->item(1)->text(), QStringLiteral("BOB"));
    QCOMPARE(w.form->Label5->text(), QStringLiteral("2 user(s)"));
    QCOMPARE(w.form->lastScan.volumePath, kFile);

    const ConnectionInfo jsmith = w.form->connections[0];
    QCOMPARE(jsmith.connNo, 5);
    QCOMPARE(jsmith.taskNo, 1);
    QCOMPARE(jsmith.address, QStringLiteral("IP:10.1.2.5"));
    QVERIFY2(jsmith.login.startsWith(QStringLiteral("Sunday, 3/7/04, 09")),
             qPrintable(jsmith.login));
    QCOMPARE(jsmith.dirRights, QStringLiteral("NA"));

    const ConnectionInfo bob = w.form->connections[1];
    QCOMPARE(bob.connNo, 9);
    QCOMPARE(bob.opened, 0);
    QCOMPARE(bob.fileRights, 0x0C);
    QCOMPARE(bob.locked, 1);
    QCOMPARE(bob.address, QStringLiteral("IPX:0000ABCD:001B2C3D4E5F:4003"));
    QVERIFY2(bob.login.startsWith(QStringLiteral("Wednesday, 10/14/26, 01")),
             qPrintable(bob.login));
    QCOMPARE(bob.dirRights, QStringLiteral("Read,Write"));
}

void ScanSimTest::serverRefusal()
{
    SimWorld w;
    w.server.user(QStringLiteral("BOB")).file(kFile).workstation(1, QStringLiteral("BOB"), false);
    QFETCH(Transport, transport);
    QVERIFY(w.open(transport));
    w.scan();
    QCOMPARE(w.form->Text2->text(),
             QStringLiteral("Error! No console privileges - see your LAN Administrator."));
    QCOMPARE(w.t.prompts.beepCount(), 1);
}

void ScanSimTest::slowServerBatchesAndEmptyAnswers()
{
    SimWorld w;
    w.server.file(kFile).set(QStringLiteral("batchSize"), 2).set(QStringLiteral("emptyBatches"), 2);
    for (int n = 10; n < 15; ++n) {
        const QString name = QStringLiteral("USER%1").arg(n);
        w.server.user(name).connection(n, name).opens(n, kFile, 1).opens(n, kFile, 2);
    }
    QFETCH(Transport, transport);
    QVERIFY(w.open(transport));
    w.scan();
    QCOMPARE(w.form->List1->count(), 5);
    QCOMPARE(w.form->List1->item(4)->text(), QStringLiteral("USER14"));
    QCOMPARE(w.form->Label5->text(), QStringLiteral("5 user(s)"));
}

void ScanSimTest::sessionLostMidScanThenBack()
{
    // The NCP server dies while a slow scan runs: the scan reports the lost
    // connection and the window stays; once the server is back, the next scan
    // opens a new session and lists everybody.
    SimWorld w;
    w.server.file(kFile).set(QStringLiteral("batchSize"), 1).set(QStringLiteral("latencyMs"), 100);
    for (int n = 10; n < 16; ++n) {
        const QString name = QStringLiteral("USER%1").arg(n);
        w.server.user(name).connection(n, name).opens(n, kFile);
    }
    QVERIFY(w.open(Transport::Ncp));
    NcpdProcess* ncpd = w.client->ncpd();
    const std::uint16_t port = ncpd->port();
    QTimer::singleShot(450, [ncpd] {
        ncpd->process().kill();
        ncpd->process().waitForFinished(5000);
    });
    w.scan();
    QCOMPARE(w.form->Text2->text(), QStringLiteral("Error! Invalid connection."));
    QVERIFY(w.form->List1->count() < 6);
    QVERIFY(w.form->isVisible());

    w.server.set(QStringLiteral("latencyMs"), 0).write();
    QVERIFY2(ncpd->start(port), qPrintable(ncpd->error()));
    w.scan();
    QCOMPARE(w.form->List1->count(), 6);
    QCOMPARE(w.form->Label5->text(), QStringLiteral("6 user(s)"));
}

QTEST_MAIN(ScanSimTest)
#include "scan_sim_test.moc"
