// SPDX-License-Identifier: GPL-3.0-or-later
// The copy into place of a prepared file once the watched file is free, the
// same whichever way the drive reaches its server's files; over NCP a copy
// that fails (a write refused midway, no right to create) leaves the watched
// file as it was and no new entry beside it.

#include "files/directory_box.h"
#include "netware/sim_state_reader.h"
#include "scan/watch.h"
#include "support/volume_world.h"

#include <QCheckBox>
#include <QFile>
#include <QTest>

using quorvex::Form1;

namespace {

QByteArray hostBytes(const SimServerBuilder& b, const QString& path)
{
    QFile file(b.hostPath(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The watched file's directory is F:\WORK; F:\PREP holds the prepared file.
void watchAndFree(VolumeWorld& w)
{
    Form1& f = w.form();
    QVERIFY(f.Dir1->setPath(QStringLiteral("F:\\WORK")));
    f.lastScan.fileName = QStringLiteral("Ready.doc");
    f.lastScan.clientPath = QStringLiteral("F:\\WORK\\Ready.doc");
    f.settings.FileNo = true;
    f.settings.FDir = QStringLiteral("F:\\PREP");
    f.settings.FFile = QStringLiteral("Ready.doc");
    f.Check1->setChecked(true);
    f.watch().notifyFileFree();
}

QString notification(VolumeWorld& w)
{
    const QStringList calls = w.t.prompts.transcript();
    return calls.isEmpty() ? QString() : calls.last();
}

} // namespace

class WatchCopyTest : public QObject
{
    Q_OBJECT
private slots:
    void preparedFileTakesThePlace_data() { VolumeWorld::addReaches(); }
    void preparedFileTakesThePlace();
    void failedCopyOverNcpLeavesTheFile_data();
    void failedCopyOverNcpLeavesTheFile();
};

void WatchCopyTest::preparedFileTakesThePlace()
{
    SimServerBuilder b;
    b.file(QStringLiteral("DATA:WORK\\Ready.doc"), "old")
        .file(QStringLiteral("DATA:PREP\\READY.DOC"), QByteArray(9000, 'p') + "end");
    QFETCH(VolumeReach, reach);
    VolumeWorld w(b);
    QVERIFY2(w.open(reach), qPrintable(w.error()));
    watchAndFree(w);
    QCOMPARE(hostBytes(b, QStringLiteral("DATA:WORK\\Ready.doc")), QByteArray(9000, 'p') + "end");
    QCOMPARE(w.hostNames(QStringLiteral("WORK")), QStringList{"Ready.doc"});
    QVERIFY2(notification(w).contains(QStringLiteral("File READY.DOC copied")),
             qPrintable(notification(w)));
    QVERIFY(w.form().settings.FFile.isEmpty());
}

void WatchCopyTest::failedCopyOverNcpLeavesTheFile_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<bool>("writeFails");
    QTest::newRow("a write refused midway") << QString() << true;
    QTest::newRow("no right to create") << QStringLiteral("JSMITH") << false;
}

void WatchCopyTest::failedCopyOverNcpLeavesTheFile()
{
    QFETCH(QString, user);
    QFETCH(bool, writeFails);
    SimServerBuilder b;
    b.user(QStringLiteral("JSMITH"))
        .file(QStringLiteral("DATA:WORK\\Ready.doc"), "old")
        .file(QStringLiteral("DATA:PREP\\Ready.doc"), QByteArray(12000, 'p'))
        .trustee(QStringLiteral("DATA:"), QStringLiteral("JSMITH"), 0x41) // read, file scan
        .trustee(QStringLiteral("DATA:WORK\\Ready.doc"), QStringLiteral("JSMITH"), 0xC3);
    if (writeFails)
        b.set(QStringLiteral("faults"),
              QJsonArray{QJsonObject{{"call", "NWWriteFile"}, {"code", 0x8994}, {"after", 1}}});
    VolumeWorld w(b);
    QVERIFY2(w.open(VolumeReach::Ncp, user), qPrintable(w.error()));
    watchAndFree(w);
    QCOMPARE(hostBytes(b, QStringLiteral("DATA:WORK\\Ready.doc")), QByteArray("old"));
    QCOMPARE(w.hostNames(QStringLiteral("WORK")), QStringList{"Ready.doc"});
    QVERIFY2(notification(w).contains(QStringLiteral("Unable to copy file READY.DOC")),
             qPrintable(notification(w)));
    QCOMPARE(w.form().settings.FFile, QStringLiteral("Ready.doc"));
    // The first write went through; the second was refused.
    QVERIFY(nw::loadSimState(b.statePath()).state->faults.empty());
}

QTEST_MAIN(WatchCopyTest)
#include "watch_copy_test.moc"
