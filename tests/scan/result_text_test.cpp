// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/result_text.h"
#include "scan/scan_messages.h"

#include <QTest>

using namespace quorvex;

class ResultTextTest : public QObject
{
    Q_OBJECT
private slots:
    void loginText_data();
    void loginText();
    void addressText_data();
    void addressText();
    void byteRenderings();
    void rightsToText_data();
    void rightsToText();
    void scanErrors_data();
    void scanErrors();
};

void ResultTextTest::loginText_data()
{
    QTest::addColumn<QList<int>>("bytes"); // year-1900, month, day, hour, minute, second, weekday
    QTest::addColumn<QString>("expected");
    QTest::newRow("year 104 keeps two digits")
        << QList<int>{104, 3, 7, 9, 15, 42, 0} << "Sunday, 3/7/04, 09:15 am";
    QTest::newRow("year 4 has one digit")
        << QList<int>{4, 12, 25, 10, 0, 0, 1} << "Monday, 12/25/4, 10:00 am";
    QTest::newRow("year 99") << QList<int>{99, 1, 1, 23, 59, 0, 5} << "Friday, 1/1/99, 11:59 pm";
    QTest::newRow("midnight hour")
        << QList<int>{104, 3, 4, 0, 5, 0, 4} << "Thursday, 3/4/04, 12:05 am";
    QTest::newRow("noon") << QList<int>{104, 3, 4, 12, 0, 0, 2} << "Tuesday, 3/4/04, 12:00 pm";
    QTest::newRow("afternoon") << QList<int>{104, 3, 4, 13, 30, 0, 6}
                               << "Saturday, 3/4/04, 01:30 pm";
    QTest::newRow("weekday 3 spelled right")
        << QList<int>{126, 10, 14, 8, 1, 0, 3} << "Wednesday, 10/14/26, 08:01 am";
    QTest::newRow("unknown weekday leaves the name out")
        << QList<int>{104, 3, 4, 9, 0, 0, 7} << ", 3/4/04, 09:00 am";
}

void ResultTextTest::loginText()
{
    QFETCH(QList<int>, bytes);
    QFETCH(QString, expected);
    std::array<std::uint8_t, 7> time{};
    for (int i = 0; i < 7; ++i)
        time[i] = std::uint8_t(bytes[i]);
    QCOMPARE(quorvex::loginText(time, QStringLiteral(":")), expected);
    // The separator is the system's, not a fixed colon.
    QVERIFY(quorvex::loginText(time, QStringLiteral("."))
                .contains(expected.right(8).replace(':', '.')));
}

void ResultTextTest::addressText_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("expected");
    QTest::newRow("IP") << 11 << "IP:10.0.0.1";
    QTest::newRow("IPX") << 2 << "IPX:0A000001:001B2C3D4E5F:4003";
    QTest::newRow("AFP") << 3 << "AFP:0A000001:001B2C3D4E5F:4003";
    QTest::newRow("other type has no prefix") << 0 << "0A000001:001B2C3D4E5F:4003";
    QTest::newRow("only the low byte of the type counts") << (0x100 | 11) << "IP:10.0.0.1";
}

void ResultTextTest::addressText()
{
    QFETCH(int, type);
    QFETCH(QString, expected);
    nw::NWINET_ADDR address;
    address.network = {10, 0, 0, 1};
    address.node = {0x00, 0x1B, 0x2C, 0x3D, 0x4E, 0x5F};
    address.socket = {0x40, 0x03};
    address.connType = std::uint16_t(type);
    QCOMPARE(quorvex::addressText(address), expected);
}

void ResultTextTest::byteRenderings()
{
    QCOMPARE(openedText(8), QStringLiteral("Shareable"));
    QCOMPARE(openedText(0), QStringLiteral("Exclusive"));
    QCOMPARE(openedText(9), QStringLiteral("Exclusive"));
    QCOMPARE(fileRightsText(0x0C), QStringLiteral("Deny Read,Deny Write"));
    QCOMPARE(fileRightsText(0x03), QStringLiteral("Read,Write"));
    QCOMPARE(fileRightsText(0x0B), QStringLiteral("Read,Write,Deny Write"));
    QCOMPARE(fileRightsText(0x10), QString());
    QCOMPARE(fileRightsText(0xF1), QStringLiteral("Read"));
    QCOMPARE(lockedText(0), QStringLiteral("No"));
    QCOMPARE(lockedText(0x40), QStringLiteral("Yes"));
}

void ResultTextTest::rightsToText_data()
{
    QTest::addColumn<int>("rights");
    QTest::addColumn<QString>("expected");
    QTest::newRow("read write") << 0x0003 << "Read,Write";
    QTest::newRow("all eight") << 0x01FB
                               << "Read,Write,Create,Delete,AccessCtrl,FileScan,Modify,Supervisor";
    QTest::newRow("bit 4 has no name") << 0x0004 << "";
    QTest::newRow("bits above supervisor") << 0xFE00 << "";
    QTest::newRow("supervisor alone") << 0x0100 << "Supervisor";
    QTest::newRow("none") << 0 << "";
}

void ResultTextTest::rightsToText()
{
    QFETCH(int, rights);
    QFETCH(QString, expected);
    QCOMPARE(RightsToText(std::uint16_t(rights)), expected);
}

void ResultTextTest::scanErrors_data()
{
    QTest::addColumn<uint>("code");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("known");
    QTest::newRow("8801") << 0x8801u << "Error! Invalid connection." << true;
    QTest::newRow("89C6") << 0x89C6u << "Error! No console privileges - see your LAN Administrator."
                          << true;
    QTest::newRow("8999 unknown") << 0x8999u << "Error! Unknown error 35225 has occurred." << false;
    QTest::newRow("negative") << 0xFFFFFDA7u << "Error! Unknown error -601 has occurred." << false;
}

void ResultTextTest::scanErrors()
{
    QFETCH(uint, code);
    QFETCH(QString, expected);
    QFETCH(bool, known);
    QCOMPARE(scanErrorText(code), expected);
    QCOMPARE(isKnownScanError(code), known);
}

QTEST_APPLESS_MAIN(ResultTextTest)
#include "result_text_test.moc"
