// SPDX-License-Identifier: GPL-3.0-or-later
// What a client asks of a server besides the files in use: its clock and
// description, the bindery's objects and properties, volume space, and the
// 3.x forms with one-byte connection numbers, each answered from the state.

#include "ncpd_fixture.h"
#include "raw_ncp_client.h"

#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"
#include "netware/sim_state_reader.h"

#include <QJsonArray>
#include <QtTest>

using ncp::WireReader;
using ncp::WireWriter;

namespace {

// JSMITH in two groups, one security equivalence, a full name; the server
// at an IPX address.
void addBindery(NcpdFixture& f)
{
    f.builder.objectKey(QStringLiteral("JSMITH"), QStringLiteral("fullName"), "John Smith")
        .objectKey(QStringLiteral("JSMITH"), QStringLiteral("securityEquals"), QJsonArray{"BOB"})
        .user(QStringLiteral("STAFF"), QStringLiteral("ACME"), 2001)
        .objectKey(QStringLiteral("STAFF"), QStringLiteral("type"), 2)
        .objectKey(QStringLiteral("STAFF"), QStringLiteral("members"), QJsonArray{"JSMITH", "BOB"})
        .user(QStringLiteral("SALESTEAM"), QStringLiteral("ACME"), 2002)
        .objectKey(QStringLiteral("SALESTEAM"), QStringLiteral("type"), 2)
        .objectKey(QStringLiteral("SALESTEAM"), QStringLiteral("members"), QJsonArray{"JSMITH"})
        .set(QStringLiteral("address"), QStringLiteral("IPX:0000FF01:000000000001:0451"));
}

QByteArray objectAndName(std::uint16_t type, const QByteArray& name)
{
    return WireWriter().u16be(type).lengthPrefixed(name).take();
}

} // namespace

class NcpdServerQueriesTest : public QObject
{
    Q_OBJECT
private slots:
    void clockAndDescription();
    void scanObjects();
    void propertiesAndValues();
    void accessLevelAndObjectConnections();
    void volumeInformation();
    void oldForms();
};

void NcpdServerQueriesTest::clockAndDescription()
{
    NcpdFixture f;
    QVERIFY(f.start());
    RawNcpClient c;
    QVERIFY(c.open(f.port(), "ADMIN", "secret"));
    const QDateTime before = QDateTime::currentDateTime();
    const auto time = c.request(0x14, 0, QByteArray());
    QCOMPARE(time->data.size(), 7);
    WireReader t(time->data);
    QCOMPARE(int(t.u8()), before.date().year() % 100);
    QCOMPARE(int(t.u8()), before.date().month());
    t.seek(6);
    QCOMPARE(int(t.u8()), before.date().dayOfWeek() % 7); // 0 = Sunday

    const auto strings = c.request(0x17, 0xC9, QByteArray());
    QCOMPARE(strings->data.size(), 100);
    const QList<QByteArray> parts = strings->data.split('\0');
    QCOMPARE(parts.at(1), QByteArray("Simulated NetWare 6.5"));
}

void NcpdServerQueriesTest::scanObjects()
{
    NcpdFixture f;
    addBindery(f);
    QVERIFY(f.start());
    RawNcpClient c;
    QVERIFY(c.open(f.port(), "ADMIN", "secret"));
    const auto scan = [&](std::uint32_t last, std::uint16_t type, const QByteArray& pattern) {
        return c.request(0x17, 0x37,
                         WireWriter().u32be(last).u16be(type).lengthPrefixed(pattern).take());
    };
    // Every object by ascending ID, the server's own among them.
    QList<QByteArray> names;
    std::uint32_t last = 0xFFFFFFFF;
    for (auto r = scan(last, 0xFFFF, "*"); r->completion == 0; r = scan(last, 0xFFFF, "*")) {
        WireReader in(r->data);
        last = in.u32be();
        const std::uint16_t type = in.u16be();
        names.append(in.paddedText(48) + '/' + QByteArray::number(type));
        QCOMPARE(r->data.size(), 57);
    }
    QCOMPARE(names, (QList<QByteArray>{"ADMIN/1", "JSMITH/1", "BOB/1", "STAFF/2", "SALESTEAM/2",
                                       "FS1/4"}));
    QCOMPARE(scan(last, 0xFFFF, "*")->completion, std::uint8_t(0xFC));
    // Type and wildcards narrow it.
    const auto group = scan(0xFFFFFFFF, 2, "S?LES*");
    QCOMPARE(WireReader(group->data).u32be(), 2002u);
    QCOMPARE(std::uint8_t(group->data.at(56)), std::uint8_t(0xFF)); // has properties
    QCOMPARE(scan(0xFFFFFFFF, 1, "STAFF")->completion, std::uint8_t(0xFC));
}

void NcpdServerQueriesTest::propertiesAndValues()
{
    NcpdFixture f;
    addBindery(f);
    QVERIFY(f.start());
    RawNcpClient c;
    QVERIFY(c.open(f.port(), "ADMIN", "secret"));
    const auto scan = [&](std::uint32_t last) {
        return c.request(0x17, 0x3C,
                         objectAndName(1, "JSMITH") +
                             WireWriter().u32be(last).lengthPrefixed("*").take());
    };
    QList<QByteArray> props;
    std::uint32_t instance = 0xFFFFFFFF;
    for (auto r = scan(instance); r->completion == 0; r = scan(instance)) {
        WireReader in(r->data);
        props.append(in.paddedText(16));
        in.skip(2);
        instance = in.u32be();
        QCOMPARE(in.u8(), std::uint8_t(0xFF)); // has a value
        props.last() += in.u8() ? "+" : "";    // more follow
    }
    QCOMPARE(props, (QList<QByteArray>{"GROUPS_I'M_IN+", "SECURITY_EQUALS+", "LOGIN_CONTROL+",
                                       "IDENTIFICATION"}));
    QCOMPARE(scan(instance)->completion, std::uint8_t(0xFB));

    const auto value = [&](std::uint16_t type, const QByteArray& object, int segment,
                           const QByteArray& property) {
        return c.request(
            0x17, 0x3D,
            objectAndName(type, object) +
                WireWriter().u8(std::uint8_t(segment)).lengthPrefixed(property).take());
    };
    const auto groups = value(1, "JSMITH", 1, "GROUPS_I'M_IN");
    QCOMPARE(groups->data.size(), 130);
    QCOMPARE(groups->data.left(12), QByteArray::fromHex("000007D1000007D200000000"));
    QCOMPARE(groups->data.mid(128), QByteArray::fromHex("0002")); // last segment, a set
    // Security-equal to its groups, then to what the state names.
    QCOMPARE(value(1, "JSMITH", 1, "SECURITY_EQUALS")->data.left(12),
             QByteArray::fromHex("000007D1000007D2000003EB"));
    QCOMPARE(value(1, "JSMITH", 1, "IDENTIFICATION")->data.left(11),
             QByteArray("John Smith\0", 11));
    QCOMPARE(value(2, "STAFF", 1, "GROUP_MEMBERS")->data.left(8),
             QByteArray::fromHex("000003EA000003EB"));
    QCOMPARE(value(4, "FS1", 1, "NET_ADDRESS")->data.left(12),
             QByteArray::fromHex("0000FF010000000000010451"));
    QCOMPARE(value(1, "JSMITH", 2, "GROUPS_I'M_IN")->completion, std::uint8_t(0xEC));
    QCOMPARE(value(1, "JSMITH", 1, "NET_ADDRESS")->completion, std::uint8_t(0xFB));
    QCOMPARE(value(2, "JSMITH", 1, "GROUPS_I'M_IN")->completion, std::uint8_t(0xFC));
}

void NcpdServerQueriesTest::accessLevelAndObjectConnections()
{
    NcpdFixture f;
    f.builder.user(QStringLiteral("SUPERVISOR"), QString(), 7)
        .connection(8, QStringLiteral("JSMITH"));
    QVERIFY(f.start());
    RawNcpClient admin;
    QVERIFY(admin.open(f.port(), "ADMIN", "secret"));
    QCOMPARE(admin.request(0x17, 0x46, QByteArray())->data, QByteArray::fromHex("2200000001"));
    RawNcpClient supervisor;
    QVERIFY(supervisor.open(f.port(), "SUPERVISOR"));
    QCOMPARE(supervisor.request(0x17, 0x46, QByteArray())->data, QByteArray::fromHex("3300000007"));

    const auto list = [&](std::uint32_t after, const QByteArray& name) {
        return admin.request(0x17, 0x1B, WireWriter().u32le(after).take() + objectAndName(1, name));
    };
    QCOMPARE(list(0, "JSMITH")->data, QByteArray::fromHex("02"
                                                          "05000000"
                                                          "08000000"));
    QCOMPARE(list(5, "JSMITH")->data, QByteArray::fromHex("01"
                                                          "08000000"));
    QCOMPARE(list(0, "NOBODY")->completion, std::uint8_t(0xFC));
}

void NcpdServerQueriesTest::volumeInformation()
{
    NcpdFixture f;
    QVERIFY(f.start());
    RawNcpClient c;
    QVERIFY(c.open(f.port(), "ADMIN", "secret"));
    const auto purge = c.request(0x16, 0x2C, QByteArray(1, '\1'));
    QCOMPARE(purge->completion, std::uint8_t(0));
    WireReader in(purge->data);
    const std::uint32_t total = in.u32le();
    const std::uint32_t free = in.u32le();
    QVERIFY(total > 0 && free <= total);
    in.seek(16);
    const std::uint32_t entries = in.u32le();
    QVERIFY(entries > in.u32le()); // the volume's own entries are in use
    in.seek(28);
    QCOMPARE(in.u8(), std::uint8_t(8)); // sectors per block
    QCOMPARE(in.lengthPrefixed(), QByteArray("DATA"));
    QCOMPARE(c.request(0x16, 0x2C, QByteArray(1, '\7'))->completion, std::uint8_t(0x98));

    // The older forms count in clusters that fit 16 bits, by number or handle.
    const auto old = c.request(0x12, 0, QByteArray(1, '\1'));
    QCOMPARE(old->data.size(), 28);
    WireReader o(old->data);
    const std::uint32_t scale = o.u16be() / 8; // blocks per cluster
    QCOMPARE(std::uint32_t(o.u16be()), total / scale);
    o.seek(10);
    QCOMPARE(o.paddedText(16), QByteArray("DATA"));
    const auto handle =
        c.request(0x16, 0x13, WireWriter().u8(0).u8(0).lengthPrefixed("DATA:REPORTS").take());
    const auto byHandle = c.request(0x16, 0x15, handle->data.left(1));
    // The same answer but for the free clusters (bytes 4 and 5), which other
    // programs writing to the disk may change between the two requests.
    QCOMPARE(byHandle->data.size(), old->data.size());
    QCOMPARE(byHandle->data.left(4), old->data.left(4));
    QCOMPARE(byHandle->data.mid(6), old->data.mid(6));
    QCOMPARE(c.request(0x16, 0x15, QByteArray(1, '\xEE'))->completion, std::uint8_t(0x9B));
    QCOMPARE(c.request(0x16, 0x06, QByteArray(1, '\0'))->data, QByteArray("\x03SYS"));
}

void NcpdServerQueriesTest::oldForms()
{
    NcpdFixture f;
    f.builder.version(3, 12);
    QVERIFY(f.start());
    RawNcpClient c;
    QVERIFY(c.open(f.port(), "ADMIN", "secret"));
    // 23/22 answers what 23/28 answers, for a one-byte connection number.
    const auto logged = c.request(0x17, 0x16, QByteArray(1, '\5'));
    QCOMPARE(logged->data, c.request(0x17, 0x1C, WireWriter().u32le(5).take())->data);
    QCOMPARE(c.request(0x17, 0x16, QByteArray(1, '\x63'))->completion, std::uint8_t(0xFD));
    const auto address = c.request(0x17, 0x13, QByteArray(1, '\6'));
    QCOMPARE(address->data, QByteArray::fromHex("0000ABCD001B2C3D4E5F4003"));

    // 21/0: one status byte per connection; 21/1 hands a waiting message over once.
    const auto sent = c.request(0x15, 0x00, QByteArray::fromHex("03010663") + QByteArray("\x02hi"));
    QCOMPARE(sent->data, QByteArray::fromHex("0300FCFF")); // sent, not accepting, none
    QCOMPARE(c.request(0x15, 0x01, QByteArray())->data, QByteArray("\x02hi"));
    QCOMPARE(c.request(0x15, 0x01, QByteArray())->data, QByteArray(1, '\0'));
    // Longer than a 3.x message: cut to 58 bytes, as the server keeps it.
    QCOMPARE(c.request(0x15, 0x00, QByteArray::fromHex("01013C") + QByteArray(60, 'x'))->data,
             QByteArray::fromHex("0100"));
    QCOMPARE(c.request(0x15, 0x01, QByteArray())->data, char(58) + QByteArray(58, 'x'));
}

QTEST_GUILESS_MAIN(NcpdServerQueriesTest)
#include "ncpd_server_queries_test.moc"
