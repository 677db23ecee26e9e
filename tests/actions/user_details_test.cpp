// SPDX-License-Identifier: GPL-3.0-or-later
#include "actions/user_details.h"
#include "app/settings.h"
#include "netware/netware_text.h"
#include "scan/connection_info.h"

#include <QTest>

using namespace quorvex;

Q_DECLARE_METATYPE(quorvex::Settings)
Q_DECLARE_METATYPE(quorvex::ConnectionInfo)

namespace {

Settings allOn()
{
    Settings s;
    s.ConnNo = s.TaskNo = s.Opened = s.FileRights = s.DirRights = s.Locked = s.Login = s.Address =
        1;
    return s;
}

ConnectionInfo fullRecord()
{
    ConnectionInfo r;
    r.fileName = QStringLiteral("Q1.XLS");
    r.connNo = 12;
    r.taskNo = -3;
    r.opened = 8;
    r.fileRights = 0x09;
    r.dirRights = QStringLiteral("[RWCEMFA]");
    r.locked = 2;
    r.login = QStringLiteral("Monday, 3/4/24, 09:05 am");
    r.address = QStringLiteral("IP:10.0.0.1");
    return r;
}

} // namespace

class UserDetailsTest : public QObject
{
    Q_OBJECT
private slots:
    void detailText_data();
    void detailText();
    void withoutRecordOnlyTheUserLine();
    void ansiText_data();
    void ansiText();
};

void UserDetailsTest::detailText_data()
{
    QTest::addColumn<Settings>("settings");
    QTest::addColumn<ConnectionInfo>("record");
    QTest::addColumn<bool>("pane");
    QTest::addColumn<QString>("expected");

    const ConnectionInfo full = fullRecord();
    QTest::newRow("all off, pane")
        << Settings{} << full << true << "File: \t\tQ1.XLS\r\nUser: \t\tJSMITH\r\n";
    QTest::newRow("all off, clipboard")
        << Settings{} << full << false << "File: Q1.XLS\r\nUser: JSMITH\r\n";
    QTest::newRow("all on, pane")
        << allOn() << full << true
        << "File: \t\tQ1.XLS\r\nUser: \t\tJSMITH\r\nConnection No: \t12\r\nTask No: \t\t-3\r\n"
           "Opened: \t\tShareable\r\nFile Rights: \tRead,Deny Write\r\n"
           "Directory Rights: \t[RWCEMFA]\r\nLocked: \t\tYes\r\n"
           "Login: \t\tMonday, 3/4/24, 09:05 am\r\nAddress: \t\tIP:10.0.0.1";
    QTest::newRow("all on, clipboard")
        << allOn() << full << false
        << "File: Q1.XLS\r\nUser: JSMITH\r\nConnection No: 12\r\nTask No: -3\r\n"
           "Opened: Shareable\r\nFile Rights: Read,Deny Write\r\n"
           "Directory Rights: [RWCEMFA]\r\nLocked: Yes\r\n"
           "Login: Monday, 3/4/24, 09:05 am\r\nAddress: IP:10.0.0.1";

    Settings rightsOnly;
    rightsOnly.FileRights = 1;
    ConnectionInfo noRights = full;
    noRights.fileRights = 0;
    QTest::newRow("empty rights value keeps its tab and break")
        << rightsOnly << noRights << true
        << "File: \t\tQ1.XLS\r\nUser: \t\tJSMITH\r\nFile Rights: \t\r\n";

    // An option switched on after a scan that ran without it: its line shows
    // what the scan stored, which is empty.
    Settings dirRightsOn;
    dirRightsOn.DirRights = 1;
    dirRightsOn.Locked = 1;
    ConnectionInfo scannedWithout;
    scannedWithout.fileName = QStringLiteral("Q1.XLS");
    QTest::newRow("option on after the scan")
        << dirRightsOn << scannedWithout << true
        << "File: \t\tQ1.XLS\r\nUser: \t\tJSMITH\r\nDirectory Rights: \t\r\nLocked: \t\tNo\r\n";

    Settings openedAndRights;
    openedAndRights.Opened = openedAndRights.FileRights = 1;
    ConnectionInfo exclusive = full;
    exclusive.opened = 0;
    exclusive.fileRights = 0x0B;
    QTest::newRow("exclusive, read write deny write")
        << openedAndRights << exclusive << true
        << "File: \t\tQ1.XLS\r\nUser: \t\tJSMITH\r\nOpened: \t\tExclusive\r\n"
           "File Rights: \tRead,Write,Deny Write\r\n";

    Settings addressOnly;
    addressOnly.Address = 1;
    QTest::newRow("address alone ends without a break")
        << addressOnly << full << true
        << "File: \t\tQ1.XLS\r\nUser: \t\tJSMITH\r\nAddress: \t\tIP:10.0.0.1";
}

void UserDetailsTest::detailText()
{
    QFETCH(Settings, settings);
    QFETCH(ConnectionInfo, record);
    QFETCH(bool, pane);
    QFETCH(QString, expected);
    QCOMPARE(userDetailText(&record, QStringLiteral("JSMITH"), settings,
                            pane ? DetailForm::Pane : DetailForm::Clipboard),
             expected);
}

void UserDetailsTest::withoutRecordOnlyTheUserLine()
{
    QCOMPARE(userDetailText(nullptr, QStringLiteral("JSMITH"), allOn(), DetailForm::Pane),
             QStringLiteral("User: \t\tJSMITH\r\n"));
}

void UserDetailsTest::ansiText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ascii") << "Please log out" << QByteArray("Please log out");
    QTest::newRow("latin-1 letters")
        << QString::fromUtf8("Grüße à 5°") << QByteArray("Gr\xFC\xDF\x65 \xE0 5\xB0");
    QTest::newRow("outside latin-1") << QString::fromUtf8("€ and Ω") << QByteArray("? and ?");
    QTest::newRow("beyond the BMP is one character")
        << QString::fromUtf8("a\U0001F600b") << QByteArray("a?b");
    QTest::newRow("empty") << "" << QByteArray();
}

void UserDetailsTest::ansiText()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(nw::toClientText(text), bytes);
}

QTEST_APPLESS_MAIN(UserDetailsTest)
#include "user_details_test.moc"
