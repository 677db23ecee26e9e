// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/scripted_prompts.h"
#include "support/sim_server_builder.h"

#include "app/message_pane.h"
#include "fileinfo/get_file_info.h"

#include <QtTest>

using namespace quorvex;

// GetFileInfo against the simulated server: what a server keeps in a directory
// entry reaches the window's fields, by the server's naming scheme.
class GetFileInfoSimTest : public QObject
{
    Q_OBJECT

private slots:
    void readsTheEntry_data();
    void readsTheEntry();
    void failsWhereTheServerRefuses_data();
    void failsWhereTheServerRefuses();
};

void GetFileInfoSimTest::readsTheEntry_data()
{
    QTest::addColumn<int>("major");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("owner");
    // A long name with blanks and "&" in the volume's root: found by its DOS name.
    QTest::newRow("directory services, volume root") << 6 << "DATA:R&D PLAN 2004.DOC"
                                                     << "JSMITH.SALES.ACME";
    QTest::newRow("bindery, in a directory") << 3 << "DATA:REPORTS\\Q1.XLS"
                                             << "JSMITH";
}

void GetFileInfoSimTest::readsTheEntry()
{
    QFETCH(int, major);
    QFETCH(QString, path);
    SimServerBuilder server;
    server.version(major, 12)
        .user(QStringLiteral("JSMITH"), QStringLiteral("SALES.ACME"))
        .user(QStringLiteral("BOB"))
        .file(path)
        .file(QStringLiteral("DATA:REPORTS\\A FIRST FILE.TXT"))
        .fileData(path, QJsonObject{{"owner", "JSMITH"},
                                    {"attributes", 0x1 | 0x20 | 0x40},
                                    {"created", "2004-01-05 08:00:00"},
                                    {"archived", QJsonValue()},
                                    {"modified", "2004-03-07 09:15:42"},
                                    {"modifier", "BOB"},
                                    {"accessed", "2004-03-08"}});
    auto client = server.client();
    ScriptedPrompts prompts;
    MessagePane pane;

    const auto info = GetFileInfo(QStringLiteral("FS1\\") + path, *client, prompts, pane);

    QVERIFY2(info, qPrintable(pane.text()));
    QCOMPARE(info->fileName,
             path.mid(path.lastIndexOf(QRegularExpression(QStringLiteral("[:\\\\]"))) + 1));
    QTEST(info->owner, "owner");
    QCOMPARE(info->created, QStringLiteral("1/5/2004,8:0:0"));
    QCOMPARE(info->lastAccess, QStringLiteral("3/8/2004,0:0:0"));
    QCOMPARE(info->lastArchived, QStringLiteral("?"));
    QCOMPARE(info->lastModified, QStringLiteral("3/7/2004,9:15:42"));
    QCOMPARE(info->lastModifiedBy, QStringLiteral("BOB"));
    QCOMPARE(info->attributes, 0x61u);
    QCOMPARE(prompts.beepCount(), 0);
}

void GetFileInfoSimTest::failsWhereTheServerRefuses_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown server") << "FS9\\DATA:REPORTS\\Q1.XLS"
                                    << "Cannot open connection to the given server.";
    QTest::newRow("missing directory") << "FS1\\DATA:GONE\\Q1.XLS"
                                       << "Cannot create directory handle.";
    // The DOS name lookup fails and leaves the pattern empty: no other file may
    // be taken for the missing one.
    QTest::newRow("missing file") << "FS1\\DATA:REPORTS\\GONE.XLS"
                                  << "Scan for extended file info failed.";
}

void GetFileInfoSimTest::failsWhereTheServerRefuses()
{
    QFETCH(QString, path);
    SimServerBuilder server;
    server.file(QStringLiteral("DATA:REPORTS\\Q1.XLS"));
    auto client = server.client();
    ScriptedPrompts prompts;
    MessagePane pane;

    QVERIFY(!GetFileInfo(path, *client, prompts, pane));
    QTEST(pane.text(), "message");
    QCOMPARE(prompts.beepCount(), 1);
}

QTEST_MAIN(GetFileInfoSimTest)
#include "get_file_info_sim_test.moc"
