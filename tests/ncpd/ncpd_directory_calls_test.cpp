// SPDX-License-Identifier: GPL-3.0-or-later
// Requests about directories, trustees, names, locks and directory services,
// answered over the wire as the in-process simulation answers the same call on
// the same state file.

#include "ds_request_frame.h"
#include "ncpd_fixture.h"
#include "raw_ncp_client.h"

#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"
#include "netware/sim_state_reader.h"

#include <QtTest>

using ncp::WireReader;
using ncp::WireWriter;

namespace {

const QByteArray kQ1 = "DATA:REPORTS\\Q1.XLS";

QByteArray resolveParameters(const QString& name)
{
    WireWriter w;
    w.u32le(0).u32le(0x11).u32le(0).u32le(std::uint32_t(name.size() + 1) * 2);
    for (QChar c : name)
        w.u16le(c.unicode());
    w.u16le(0).zeros(((name.size() + 1) * 2) % 4 ? 2 : 0);
    w.u32le(1).u32le(0).u32le(1).u32le(0);
    return w.take();
}

} // namespace

class NcpdDirectoryCallsTest : public QObject
{
    Q_OBJECT
private slots:
    void directoryHandlesAndTrustees();
    void objectTrusteePaths_data();
    void objectTrusteePaths();
    void extendedInfoAndLongName();
    void objectName();
    void fileLocks();
    void directoryServices();
    void directoryServicesOnABinderyServer();
    void directoryServicesAsServersAnswer();
};

void NcpdDirectoryCallsTest::directoryHandlesAndTrustees()
{
    NcpdFixture f;
    QVERIFY(f.start());
    RawNcpClient c;
    QVERIFY(c.open(f.port(), "ADMIN", "secret"));
    QCOMPARE(c.request(0x16, 0x05, WireWriter().lengthPrefixed("data").take())->data,
             QByteArray(1, '\1'));
    QCOMPARE(c.request(0x16, 0x05, WireWriter().lengthPrefixed("NOPE").take())->completion,
             std::uint8_t(0x98));

    const auto alloc =
        c.request(0x16, 0x13, WireWriter().u8(0).u8(0).lengthPrefixed("DATA:REPORTS").take());
    QCOMPARE(alloc->completion, std::uint8_t(0));
    const std::uint8_t handle = std::uint8_t(alloc->data.at(0));
    QVERIFY(handle != 0);
    QCOMPARE(c.request(0x16, 0x13, WireWriter().u8(0).u8(0).lengthPrefixed("DATA:NONE").take())
                 ->completion,
             std::uint8_t(0x9C));

    // A path relative to the handle names the same entry as the full path.
    const auto relative =
        c.request(0x17, 0xF4, WireWriter().u8(handle).lengthPrefixed("q1.xls").take());
    const auto absolute = c.request(0x17, 0xF4, WireWriter().u8(0).lengthPrefixed(kQ1).take());
    QCOMPARE(relative->data, absolute->data);

    auto sim = f.builder.client();
    const auto conn = simHandle(*sim);
    std::uint32_t iter = 0;
    std::array<char, 256> name{};
    std::uint32_t when = 0, owner = 0;
    std::array<nw::TRUSTEE_INFO, 20> trustees{};
    QCOMPARE(sim->NWScanDirectoryForTrustees2(conn, 0, "DATA:REPORTS", iter, name, when, owner,
                                              trustees),
             nw::kSuccess);
    const auto scan =
        c.request(0x16, 0x26, WireWriter().u8(handle).u8(0).lengthPrefixed("").take());
    QCOMPARE(scan->completion, std::uint8_t(0));
    WireReader in(scan->data);
    QCOMPARE(in.u8(), std::uint8_t(2));
    for (const auto& t : trustees)
        QCOMPARE(in.u32be(), t.objectID);
    QCOMPARE(in.u16le(), trustees[0].objectRights);
    QCOMPARE(in.u16le(), trustees[1].objectRights);
    QVERIFY(in.ok() && in.atEnd());
    // The sequence numbers blocks of twenty: the second block is past the two.
    const auto end = c.request(0x16, 0x26, WireWriter().u8(handle).u8(1).lengthPrefixed("").take());
    QCOMPARE(end->completion, std::uint8_t(0x9C));

    QCOMPARE(c.request(0x16, 0x14, QByteArray(1, char(handle)))->completion, std::uint8_t(0));
    QCOMPARE(c.request(0x16, 0x14, QByteArray(1, char(handle)))->completion, std::uint8_t(0x9B));
    QCOMPARE(
        c.request(0x17, 0xF4, WireWriter().u8(handle).lengthPrefixed("q1.xls").take())->completion,
        std::uint8_t(0x9B));
}

void NcpdDirectoryCallsTest::objectTrusteePaths_data()
{
    QTest::addColumn<QString>("profile");
    QTest::newRow("netware") << "netware";
    QTest::newRow("emulator") << "emulator";
}

void NcpdDirectoryCallsTest::objectTrusteePaths()
{
    QFETCH(QString, profile);
    NcpdFixture f;
    f.builder.trustee("DATA:ARCHIVE", "JSMITH", 1).set("profile", profile);
    QVERIFY(f.start());
    RawNcpClient c;
    QVERIFY(c.open(f.port(), "ADMIN", "secret"));
    const auto ask = [&c](std::uint16_t sequence) {
        return c.request(0x17, 0x47, WireWriter().u8(1).u16be(sequence).u32be(1002).take());
    };
    // 0 and 0xFFFF both start; the next sequence is the position after the path.
    for (const std::uint16_t start : {0, 0xFFFF}) {
        const auto first = ask(start);
        QCOMPARE(first->data,
                 WireWriter().u16be(1).u32be(1002).u8(251).lengthPrefixed("DATA:REPORTS").take());
    }
    // The last path too carries the position after it (a stock client takes
    // next sequence 0 for the end and would drop the path); the emulators'
    // list ends with an empty entry, NetWare's with 0x9C when asked past it.
    const bool emulator = profile == QLatin1String("emulator");
    QCOMPARE(ask(1)->data,
             WireWriter().u16be(2).u32be(1002).u8(1).lengthPrefixed("DATA:ARCHIVE").take());
    const auto end = ask(2);
    QCOMPARE(end->completion, std::uint8_t(emulator ? 0 : 0x9C));
    QCOMPARE(end->data, emulator ? QByteArray(8, '\0') : QByteArray());
}

void NcpdDirectoryCallsTest::extendedInfoAndLongName()
{
    NcpdFixture f;
    f.builder.fileData(QString::fromLatin1(kQ1), {{"owner", "JSMITH"}, {"modifier", "BOB"}});
    QVERIFY(f.start());
    RawNcpClient c;
    QVERIFY(c.open(f.port(), "ADMIN", "secret"));
    auto sim = f.builder.client();
    const auto conn = simHandle(*sim);

    std::uint32_t iter = 0xFFFFFFFF;
    nw::NW_EXT_FILE_INFO entry;
    QCOMPARE(sim->NWIntScanExtendedInfo(conn, 0, 0, iter, "DATA:REPORTS\\Q*.XLS", entry, 0),
             nw::kSuccess);
    const auto ext = c.request(
        0x16, 0x28,
        WireWriter().u8(0).u8(0).u32le(0xFFFFFFFF).lengthPrefixed("DATA:REPORTS\\Q*.XLS").take());
    QCOMPARE(ext->completion, std::uint8_t(0));
    // The owner, archiver and modifier travel big-endian, and so does the size.
    QByteArray wire(reinterpret_cast<const char*>(entry.bytes.data()), 140);
    for (const int offset : {32, 40, 48, 52})
        wire.replace(offset, 4, WireWriter().u32be(entry.u32(offset)).take());
    QCOMPARE(ext->data, wire);
    QCOMPARE(entry.u32(32), 1002u);
    // The server emulators' entry: 132 bytes, the sequence big-endian too.
    f.builder.set("profile", "emulator").write();
    QTest::qWait(10); // past the moment the server trusts its last look at the file
    wire.replace(0, 4, WireWriter().u32be(entry.u32(0)).take());
    wire.replace(52, 4, QByteArray(reinterpret_cast<const char*>(entry.bytes.data()) + 52, 4));
    QCOMPARE(c.request(0x16, 0x28,
                       WireWriter()
                           .u8(0)
                           .u8(0)
                           .u32le(0xFFFFFFFF)
                           .lengthPrefixed("DATA:REPORTS\\Q*.XLS")
                           .take())
                 ->data,
             wire.left(132));
    f.builder.set("profile", "netware").write();

    const QByteArray longName = "Quarterly report & notes.doc";
    std::array<char, 256> dos{};
    QCOMPARE(sim->NWGetLongName(conn, 0, ("DATA:REPORTS\\" + longName).constData(), nw::NW_NS_LONG,
                                nw::NW_NS_DOS, dos),
             nw::kSuccess);
    const auto byVolume = c.request(0x57, 0x06,
                                    WireWriter()
                                        .u8(nw::NW_NS_LONG)
                                        .u8(nw::NW_NS_DOS)
                                        .u16le(0)
                                        .u32le(1)
                                        .u8(0)    // unused with no handle
                                        .u32le(0) // no base
                                        .u8(0xFF) // no handle: the volume's name first
                                        .u8(3)
                                        .lengthPrefixed("DATA")
                                        .lengthPrefixed("REPORTS")
                                        .lengthPrefixed(longName)
                                        .take());
    QCOMPARE(byVolume->completion, std::uint8_t(0));
    QCOMPARE(byVolume->data, WireWriter().zeros(76).lengthPrefixed(dos.data()).take());

    // With the directory bit, the block names the entry as 23/244 does.
    const auto numbered = c.request(0x57, 0x06,
                                    WireWriter()
                                        .u8(nw::NW_NS_DOS)
                                        .u8(nw::NW_NS_DOS)
                                        .u16le(0)
                                        .u32le(0x0401)
                                        .u8(0)
                                        .u32le(0)
                                        .u8(0xFF)
                                        .u8(3)
                                        .lengthPrefixed("data")
                                        .lengthPrefixed("REPORTS")
                                        .lengthPrefixed("Q1.XLS")
                                        .take());
    const auto file = c.request(0x17, 0xF4, WireWriter().u8(0).lengthPrefixed(kQ1).take());
    QCOMPARE(numbered->data.mid(52, 8), file->data.mid(1) + QByteArray("\x01\0\0\0", 4));

    const auto dir =
        c.request(0x17, 0xF4, WireWriter().u8(0).lengthPrefixed("DATA:REPORTS").take());
    const std::uint32_t base = WireReader(dir->data.mid(1)).u32le();
    const auto byBase = c.request(0x57, 0x06,
                                  WireWriter()
                                      .u8(nw::NW_NS_LONG)
                                      .u8(nw::NW_NS_DOS)
                                      .u16le(0)
                                      .u32le(1)
                                      .u8(1)
                                      .u32le(base)
                                      .u8(1)
                                      .u8(1)
                                      .lengthPrefixed(longName)
                                      .take());
    QCOMPARE(byBase->data, byVolume->data);
}

void NcpdDirectoryCallsTest::objectName()
{
    NcpdFixture f;
    QVERIFY(f.start());
    RawNcpClient c;
    QVERIFY(c.open(f.port(), "ADMIN", "secret"));
    const auto known = c.request(0x17, 0x36, WireWriter().u32be(1002).take());
    QCOMPARE(known->data, WireWriter().u32be(1002).u16be(1).paddedText("JSMITH", 48).take());
    QCOMPARE(c.request(0x17, 0x36, WireWriter().u32be(4242).take())->completion,
             std::uint8_t(0xFC));
}

void NcpdDirectoryCallsTest::fileLocks()
{
    NcpdFixture f;
    QVERIFY(f.start());
    RawNcpClient c;
    QVERIFY(c.open(f.port(), "ADMIN", "secret"));
    const QByteArray clear = WireWriter().u8(0).lengthPrefixed(kQ1).take();
    QCOMPARE(c.request(0x07, 0, clear)->completion, std::uint8_t(0));
    QCOMPARE(nw::loadSimState(f.builder.statePath()).state->connection(1)->open[0].locked,
             std::uint8_t(0));
    QCOMPARE(c.request(0x07, 0, clear)->completion, std::uint8_t(0xFF)); // holds none now
    QCOMPARE(c.request(0x08, 0, QByteArray(1, '\0'))->completion, std::uint8_t(0));
}

void NcpdDirectoryCallsTest::directoryServices()
{
    NcpdFixture f;
    QVERIFY(f.start());
    RawNcpClient c;
    QVERIFY(c.open(f.port(), "ADMIN", "secret"));
    const auto resolved = c.request(
        0x68, 0x02, dsRequestFrame(1, resolveParameters(QStringLiteral("jsmith.sales.acme"))));
    QCOMPARE(resolved->completion, std::uint8_t(0));
    QCOMPARE(
        resolved->data,
        WireWriter().u32le(20).u32le(0xFFFFFFFF).u32le(0).u32le(1).u32be(1002).u32le(0).take());

    const auto missing =
        c.request(0x68, 0x02, dsRequestFrame(1, resolveParameters(QStringLiteral("JSMITH"))));
    QCOMPARE(missing->completion, std::uint8_t(0));
    QCOMPARE(std::int32_t(WireReader(missing->data.mid(8)).u32le()), -601);

    const auto named = c.request(
        0x68, 0x02,
        dsRequestFrame(2, WireWriter().u32le(2).u32le(1).u32le(0x2000).u32be(1002).take()));
    QCOMPARE(named->completion, std::uint8_t(0));
    WireReader in(named->data);
    in.seek(8); // directory error, then the name
    QCOMPARE(in.u32le(), 0u);
    const std::uint32_t length = in.u32le();
    QCOMPARE(length, std::uint32_t(QStringLiteral("JSMITH.SALES.ACME").size() + 1) * 2);
    QString name;
    for (std::uint32_t i = 0; i + 2 < length; i += 2)
        name.append(QChar(in.u16le()));
    QCOMPARE(name, QStringLiteral("JSMITH.SALES.ACME"));

    const auto unknownId =
        c.request(0x68, 0x02,
                  dsRequestFrame(2, WireWriter().u32le(2).u32le(1).u32le(0x2000).u32be(77).take()));
    QCOMPARE(std::int32_t(WireReader(unknownId->data.mid(8)).u32le()), -601);
}

void NcpdDirectoryCallsTest::directoryServicesOnABinderyServer()
{
    NcpdFixture f;
    f.builder.version(3, 12);
    QVERIFY(f.start());
    RawNcpClient c;
    QVERIFY(c.open(f.port(), "ADMIN", "secret"));
    const auto reply =
        c.request(0x68, 0x02, dsRequestFrame(1, resolveParameters(QStringLiteral("BOB"))));
    QCOMPARE(reply->completion, std::uint8_t(0xFB));
}

void NcpdDirectoryCallsTest::directoryServicesAsServersAnswer()
{
    NcpdFixture f;
    f.builder.set(QStringLiteral("tree"), QStringLiteral("ACME_TREE"));
    QVERIFY(f.start());
    RawNcpClient c;
    QVERIFY(c.connectTo(f.port()));
    QVERIFY(c.create());
    // Before login: the ping with the fields asked for, and a name to
    // resolve that comes in two fragments.
    const auto ping = c.request(0x68, 0x01, WireWriter().u32le(1).u32le(0x20005).take());
    WireReader p(ping->data);
    QCOMPARE(p.u32le(), 10u);      // the form with fields
    QCOMPARE(p.u32le(), 0x3000Fu); // the fields this server fills
    QVERIFY(p.u32le() != 0);       // directory build
    QCOMPARE(p.u32le(), 20u);      // tree name, UTF-16 with terminator
    QCOMPARE(QString::fromUtf16(reinterpret_cast<const char16_t*>(p.bytes(18).data()), 9),
             QStringLiteral("ACME_TREE"));
    const QByteArray whole = dsRequestFrame(1, resolveParameters(QStringLiteral("BOB")));
    const auto first = c.request(0x68, 0x02, whole.left(30));
    WireReader more(first->data);
    QCOMPARE(more.u32le(), 4u); // no data: send the rest with this handle
    const std::uint32_t handle = more.u32le();
    QVERIFY(handle != 0xFFFFFFFF);
    const auto resolved = c.request(0x68, 0x02, WireWriter().u32le(handle).take() + whole.mid(30));
    QCOMPARE(resolved->data.mid(16, 4), WireWriter().u32be(1003).take());

    QCOMPARE(c.login("ADMIN", "secret")->completion, std::uint8_t(0));
    // A verb the server does not serve: completion 0, the error inside.
    const auto unknown = c.request(0x68, 0x02, dsRequestFrame(6, QByteArray(8, '\0')));
    QCOMPARE(unknown->completion, std::uint8_t(0));
    QCOMPARE(std::int32_t(WireReader(unknown->data.mid(8)).u32le()), -641);
    // A container resolves by its typed name and reads back as asked.
    const auto container = c.request(
        0x68, 0x02, dsRequestFrame(1, resolveParameters(QStringLiteral("OU=SALES.O=ACME"))));
    QCOMPARE(std::int32_t(WireReader(container->data.mid(8)).u32le()), 0);
    const std::uint32_t id = WireReader(container->data.mid(16)).u32be();
    const auto info =
        c.request(0x68, 0x02,
                  dsRequestFrame(2, WireWriter().u32le(2).u32le(0).u32le(0x2805).u32be(id).take()));
    const QByteArray fields = info->data.mid(12);
    WireReader in(fields);
    QCOMPARE(in.u32le(), 0x2805u); // output fields
    QCOMPARE(in.u32le(), 4u);      // a container entry
    const auto text = [&in] {
        const std::uint32_t length = in.u32le();
        QString s;
        for (std::uint32_t i = 0; i + 2 < length; i += 2)
            s.append(QChar(in.u16le()));
        in.skip(2 + (4 - length % 4) % 4);
        return s;
    };
    QCOMPARE(text(), QStringLiteral("Organizational Unit"));
    QCOMPARE(text(), QStringLiteral("OU=SALES.O=ACME"));
    QVERIFY(in.ok() && in.atEnd());
}

QTEST_GUILESS_MAIN(NcpdDirectoryCallsTest)
#include "ncpd_directory_calls_test.moc"
