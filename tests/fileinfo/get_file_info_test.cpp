// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileinfo/scripted_file_info_client.h"
#include "support/scripted_prompts.h"

#include "app/message_pane.h"
#include "fileinfo/date_time_text.h"
#include "fileinfo/get_file_info.h"
#include "fileinfo/object_names.h"
#include "netware/netware_text.h"

#include <QtTest>

using namespace quorvex;
using quorvex::test::ScriptedFileInfoClient;

namespace {

// 7 March 2004, 9:15:42 in the server's packed form.
constexpr std::uint32_t kMarch7 =
    ((2004u - 1980) << 9 | 3u << 5 | 7u) << 16 | (9u << 11 | 15u << 5 | 21u);

} // namespace

class GetFileInfoTest : public QObject
{
    Q_OBJECT

private slots:
    void splitsThePath_data();
    void splitsThePath();
    void dateTimeText_data();
    void dateTimeText();
    void gathersEveryField();
    void namesComeFromTheBinderyOnOldServers_data();
    void namesComeFromTheBinderyOnOldServers();
    void longNamesAreReadWhole();
    void failuresReleaseWhatWasTaken_data();
    void failuresReleaseWhatWasTaken();
};

void GetFileInfoTest::splitsThePath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QString>("file");
    QTest::newRow("nested") << "FS1\\DATA:REPORTS\\2004\\Q1.XLS"
                            << "FS1"
                            << "DATA:REPORTS\\2004"
                            << "Q1.XLS";
    QTest::newRow("one directory") << "FS1\\DATA:REPORTS\\Q1.XLS"
                                   << "FS1"
                                   << "DATA:REPORTS"
                                   << "Q1.XLS";
    // In the volume's root the directory is the volume name alone, without its colon.
    QTest::newRow("volume root") << "FS1\\DATA:Q1.XLS"
                                 << "FS1"
                                 << "DATA"
                                 << "Q1.XLS";
    QTest::newRow("blanks and ampersand") << "FS1\\DATA:A B\\R&D PLAN.DOC"
                                          << "FS1"
                                          << "DATA:A B"
                                          << "R&D PLAN.DOC";
}

void GetFileInfoTest::splitsThePath()
{
    QFETCH(QString, path);
    const NetWarePathParts parts = splitNetWarePath(path);
    QTEST(parts.server, "server");
    QTEST(parts.directory, "directory");
    QTEST(parts.fileName, "file");
}

void GetFileInfoTest::dateTimeText_data()
{
    QTest::addColumn<quint32>("packed");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << quint32(0) << "?";
    QTest::newRow("date and time") << quint32(kMarch7) << "3/7/2004,9:15:42";
    QTest::newRow("date alone") << quint32(kMarch7 & 0xFFFF0000u) << "3/7/2004,0:0:0";
    QTest::newRow("time alone") << quint32(kMarch7 & 0xFFFFu) << "0/0/1980,9:15:42";
    QTest::newRow("last second of a year")
        << quint32(((2019u - 1980) << 9 | 12u << 5 | 31u) << 16 | (23u << 11 | 59u << 5 | 29u))
        << "12/31/2019,23:59:58";
}

void GetFileInfoTest::dateTimeText()
{
    QFETCH(quint32, packed);
    QTEST(DateTimeText(packed), "text");
}

void GetFileInfoTest::gathersEveryField()
{
    ScriptedFileInfoClient client;
    client.entry.setU32(8, 0x21);
    client.entry.setU32(28, kMarch7);
    client.entry.setU32(32, 1001);
    client.entry.setU32(36, 0); // never archived
    client.entry.setU32(40, 0);
    client.entry.setU32(44, kMarch7 + 1);
    client.entry.setU32(48, 1003);
    client.entry.setU16(102, std::uint16_t(kMarch7 >> 16));
    client.dsNames = {{1001, "ADMIN"}, {1003, "JSMITH.SALES.ACME"}};
    ScriptedPrompts prompts;
    MessagePane pane;
    pane.setText(QStringLiteral("before"));

    const auto info =
        GetFileInfo(QStringLiteral("FS1\\DATA:REPORTS\\Q1.XLS"), client, prompts, pane);

    QVERIFY(info);
    QCOMPARE(info->fileName, QStringLiteral("Q1.XLS"));
    QCOMPARE(info->created, QStringLiteral("3/7/2004,9:15:42"));
    QCOMPARE(info->owner, QStringLiteral("ADMIN"));
    QCOMPARE(info->lastAccess, QStringLiteral("3/7/2004,0:0:0"));
    QCOMPARE(info->lastArchived, QStringLiteral("?"));
    QCOMPARE(info->lastArchivedBy, QStringLiteral("?"));
    QCOMPARE(info->lastModified, QStringLiteral("3/7/2004,9:15:44"));
    QCOMPARE(info->lastModifiedBy, QStringLiteral("JSMITH.SALES.ACME"));
    QCOMPARE(info->attributes, 0x21u);
    QCOMPARE(prompts.beepCount(), 0);
    QCOMPARE(pane.text(), QStringLiteral("before"));

    // Its own connection by name, the DOS name as the one scan's pattern, hidden
    // and system files included; the handle released before the connection.
    QCOMPARE(client.log.first(), QStringLiteral("NWCCOpenConnByName 0 FS1 2 1 0x8000"));
    QCOMPARE(client.calls(QStringLiteral("NWAllocTemporaryDirectoryHandle")),
             QStringList{QStringLiteral("NWAllocTemporaryDirectoryHandle 41 0 DATA:REPORTS")});
    QCOMPARE(client.calls(QStringLiteral("NWGetLongName")),
             QStringList{QStringLiteral("NWGetLongName 41 7 Q1.XLS 4 0")});
    QCOMPARE(client.calls(QStringLiteral("NWIntScanExtendedInfo")),
             QStringList{QStringLiteral("NWIntScanExtendedInfo 41 7 6 0xffffffff Q1.XLS 0")});
    QCOMPARE(client.log.mid(client.log.size() - 2),
             (QStringList{QStringLiteral("NWDeallocateDirectoryHandle 41 7"),
                          QStringLiteral("NWCCCloseConn 41")}));
    // Every directory-service context is freed.
    QCOMPARE(client.calls(QStringLiteral("NWDSCreateContextHandle")).size(),
             client.calls(QStringLiteral("NWDSFreeContext")).size());
    QVERIFY(client.calls(QStringLiteral("NWGetObjectName")).isEmpty());
}

void GetFileInfoTest::namesComeFromTheBinderyOnOldServers_data()
{
    QTest::addColumn<std::uint8_t>("major");
    QTest::addColumn<nw::NWCCODE>("versionResult");
    QTest::addColumn<bool>("bindery");
    QTest::newRow("version 3") << std::uint8_t(3) << nw::NWCCODE(0) << true;
    QTest::newRow("version 4") << std::uint8_t(4) << nw::NWCCODE(0) << false;
    // The version record stays zeroed when the call fails: version 0, a bindery.
    QTest::newRow("version unknown") << std::uint8_t(6) << nw::kInvalidConnection << true;
}

void GetFileInfoTest::namesComeFromTheBinderyOnOldServers()
{
    QFETCH(std::uint8_t, major);
    QFETCH(nw::NWCCODE, versionResult);
    QFETCH(bool, bindery);
    ScriptedFileInfoClient client;
    client.majorVersion = major;
    client.versionResult = versionResult;
    client.entry.setU32(32, 1002);
    client.binderyNames = {{1002, "BOB"}};
    client.dsNames = {{1002, "BOB.STAFF"}};
    ScriptedPrompts prompts;
    MessagePane pane;

    const auto info = GetFileInfo(QStringLiteral("FS2\\VOL1:Q1.XLS"), client, prompts, pane);

    QVERIFY(info);
    QCOMPARE(info->owner, bindery ? QStringLiteral("BOB") : QStringLiteral("BOB.STAFF"));
    // Objects the server does not know read as "?" either way.
    QCOMPARE(info->lastModifiedBy, QStringLiteral("?"));
    QCOMPARE(client.calls(QStringLiteral("NWGetObjectName")).isEmpty(), !bindery);
    QCOMPARE(client.calls(QStringLiteral("NWDSMapIDToName")).isEmpty(), bindery);
}

void GetFileInfoTest::longNamesAreReadWhole()
{
    // A name of 230 characters, and one that fills the whole 256-byte buffer
    // without a terminator: read to its end, with no box for any character.
    ScriptedFileInfoClient client;
    const QByteArray longName(230, 'N');
    const QByteArray fullBuffer = QByteArray(250, 'O') + "OWNER!";
    client.entry.setU32(32, 1);
    client.entry.setU32(48, 2);
    client.dsNames = {{1, fullBuffer}, {2, longName}};
    ScriptedPrompts prompts;
    MessagePane pane;

    const auto info = GetFileInfo(QStringLiteral("FS1\\DATA:X.DOC"), client, prompts, pane);

    QVERIFY(info);
    QCOMPARE(info->owner, QString::fromLatin1(fullBuffer));
    QCOMPARE(info->lastModifiedBy, QString::fromLatin1(longName));
    QVERIFY(prompts.calls().isEmpty());

    const char bindery[64] = {'A', 'B', 'C'};
    QCOMPARE(nw::fromClientText(bindery), QStringLiteral("ABC"));
}

void GetFileInfoTest::failuresReleaseWhatWasTaken_data()
{
    QTest::addColumn<int>("failing");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("released");
    QTest::newRow("connection") << 0 << "Cannot open connection to the given server."
                                << QStringList{};
    QTest::newRow("directory handle") << 1 << "Cannot create directory handle."
                                      << QStringList{QStringLiteral("NWCCCloseConn 41")};
    QTest::newRow("scan") << 2 << "Scan for extended file info failed."
                          << QStringList{QStringLiteral("NWDeallocateDirectoryHandle 41 7"),
                                         QStringLiteral("NWCCCloseConn 41")};
}

void GetFileInfoTest::failuresReleaseWhatWasTaken()
{
    QFETCH(int, failing);
    QFETCH(QStringList, released);
    ScriptedFileInfoClient client;
    client.openResult = failing == 0 ? nw::kInvalidConnection : 0;
    client.allocResult = failing == 1 ? nw::kInvalidPath : 0;
    client.scanResult = failing == 2 ? nw::kNoMoreEntries : 0;
    ScriptedPrompts prompts;
    MessagePane pane;
    pane.setText(QStringLiteral("Scanning..."));

    const auto info =
        GetFileInfo(QStringLiteral("FS1\\DATA:REPORTS\\Q1.XLS"), client, prompts, pane);

    QVERIFY(!info);
    QCOMPARE(prompts.beepCount(), 1);
    QTEST(pane.text(), "message");
    QStringList releases;
    for (const QString& line : client.log)
        if (line.startsWith(QStringLiteral("NWDeallocate")) ||
            line.startsWith(QStringLiteral("NWCCClose")))
            releases << line;
    QCOMPARE(releases, released);
    // Nothing is asked of the server after the failing step.
    QVERIFY(client.calls(QStringLiteral("NWDSMapIDToName")).isEmpty());
}

QTEST_MAIN(GetFileInfoTest)
#include "get_file_info_test.moc"
