// SPDX-License-Identifier: GPL-3.0-or-later
// A volume's files over the wire: every request stays inside its volume's
// folder and within the logged-in object's rights, refused with the server's
// code and nothing touched; searches answer as many entries as a reply holds
// (one at a time in the emulator profile), and a volume without long names
// answers in the DOS name space alone.

#include "ncpd_fixture.h"
#include "raw_ncp_client.h"

#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"

#include <QtTest>

using ncp::WireReader;
using ncp::WireWriter;

namespace {

using Names = QList<QByteArray>;

QByteArray noHandle(const Names& names)
{
    WireWriter w;
    w.u8(0).u32le(0).u8(0xFF).u8(std::uint8_t(names.size()));
    for (const QByteArray& n : names)
        w.lengthPrefixed(n);
    return w.take();
}

struct Files
{
    RawNcpClient c;
    std::uint8_t ns = 4;

    std::uint8_t info(const Names& path)
    {
        return c
            .request(0x57, 6,
                     WireWriter().u8(ns).u8(ns).u16le(0x8006).u32le(0x0805).take() + noHandle(path))
            ->completion;
    }
    std::optional<ncp::Reply> open(std::uint8_t mode, std::uint16_t access, const Names& path)
    {
        return c.request(
            0x57, 1,
            WireWriter().u8(ns).u8(mode).u16le(6).u32le(0).u32le(0).u16le(access).take() +
                noHandle(path));
    }
    std::uint8_t search(const Names& dir)
    {
        return c.request(0x57, 2, WireWriter().u8(ns).u8(0).take() + noHandle(dir))->completion;
    }
    // Every name a search of the directory gives, and the replies it took.
    QList<QByteArray> list(const Names& dir, int* replies = nullptr)
    {
        const auto start = c.request(0x57, 2, WireWriter().u8(ns).u8(0).take() + noHandle(dir));
        QList<QByteArray> names;
        QByteArray sequence = start->data;
        for (int n = 1;; ++n) {
            const auto set = c.request(0x57, 20,
                                       WireWriter()
                                           .u8(ns)
                                           .u8(0)
                                           .u16le(0x8006)
                                           .u32le(1)
                                           .u16le(500)
                                           .bytes(sequence)
                                           .u8(2)
                                           .u8(0xFF)
                                           .u8('*')
                                           .take());
            if (set->completion)
                break;
            WireReader in(set->data);
            sequence = in.byteArray(9);
            const bool more = in.u8();
            for (int i = in.u16le(); i > 0; --i) {
                in.skip(76);
                names.append(in.lengthPrefixed());
            }
            if (replies)
                *replies = n;
            if (!more)
                break;
        }
        return names;
    }
    std::uint8_t rename(const Names& from, const Names& to)
    {
        WireWriter w;
        w.u8(ns).u8(0).u16le(6);
        const QByteArray a = noHandle(from), b = noHandle(to);
        w.bytes(a.left(7)).bytes(b.left(7)).bytes(a.mid(7)).bytes(b.mid(7));
        return c.request(0x57, 4, w.take())->completion;
    }
    std::uint8_t remove(const Names& path)
    {
        return c.request(0x57, 8, WireWriter().u8(ns).u8(0).u16le(6).take() + noHandle(path))
            ->completion;
    }
};

std::uint32_t handleOf(const ncp::Reply& opened)
{
    return WireReader(opened.data).u32le();
}

QByteArray fileHandle(std::uint32_t handle)
{
    return WireWriter().u8(0).u16le(0).u32le(handle).take();
}

} // namespace

class NcpdFileCallsTest : public QObject
{
    Q_OBJECT
private slots:
    void requestsStayInsideTheVolume();
    void rightsDecide();
    void searchesAnswerManyAtATime_data();
    void searchesAnswerManyAtATime();
    void volumeWithoutLongNames();
};

void NcpdFileCallsTest::requestsStayInsideTheVolume()
{
    NcpdFixture f;
    QTemporaryDir outside;
    QFile secret(outside.filePath("secret.txt"));
    QVERIFY(secret.open(QIODevice::WriteOnly) && secret.write("secret") == 6);
    secret.close();
    const QString volume = f.builder.hostPath("DATA:");
    QVERIFY(QFile::link(outside.path(), volume + "/OUT"));
    QVERIFY(QFile::link(outside.filePath("nothing.txt"), volume + "/DANGLE.TXT"));
    QVERIFY(f.start());
    Files s;
    QVERIFY(s.c.open(f.port(), "ADMIN", "secret"));

    QCOMPARE(s.info({"DATA", "REPORTS", "Q1.XLS"}), std::uint8_t(0));
    for (const Names& path : QList<Names>{{"DATA", "..", "etc"},
                                          {"DATA", "REPORTS", ""},
                                          {"DATA", "REPORTS\\..\\..\\x"},
                                          {"DATA", "/etc/passwd"},
                                          {"DATA", "SYS:PUBLIC"},
                                          {"DATA", "OUT", "secret.txt"},
                                          {"DATA", "DANGLE.TXT"}}) {
        const QByteArray text = path.join('|');
        QVERIFY2(s.info(path) == 0x9C, text.constData());
        QVERIFY2(s.open(0x01, 1, path)->completion == 0x9C, text.constData());
        QVERIFY2(s.open(0x08, 2, path)->completion == 0x9C, text.constData());
        QVERIFY2(s.remove(path) == 0x9C, text.constData());
        QVERIFY2(s.rename({"DATA", "REPORTS", "Q1.XLS"}, path) == 0x9C, text.constData());
    }
    QCOMPARE(s.open(0x08, 2, {"DATA", "OUT", "new.txt"})->completion, std::uint8_t(0x9C));
    QCOMPARE(s.search({"DATA", "OUT"}), std::uint8_t(0x9C));
    QCOMPARE(s.info({"NOPE", "X"}), std::uint8_t(0x98));
    // The DOS name space takes 8.3 names without the bytes it refuses.
    s.ns = 0;
    QCOMPARE(s.info({"DATA", "REPORTS", "Q1+.XLS"}), std::uint8_t(0x9C));
    QCOMPARE(s.open(0x08, 2, {"DATA", "REPORTS", "LONGER NAME.TXT"})->completion,
             std::uint8_t(0x9C));
    s.ns = 4;
    // Nothing of the outside shows, and nothing there was touched.
    QVERIFY(!s.list({"DATA"}).contains("OUT"));
    QCOMPARE(QDir(outside.path()).entryList(QDir::Files), QStringList{"secret.txt"});
    QCOMPARE(QFileInfo(outside.filePath("secret.txt")).size(), 6);
    QVERIFY(QFileInfo::exists(f.builder.hostPath("DATA:REPORTS\\Q1.XLS")));
}

void NcpdFileCallsTest::rightsDecide()
{
    NcpdFixture f;
    QVERIFY(f.start());
    // BOB may read REPORTS but not scan it; JSMITH may do all but grant rights.
    Files bob;
    QVERIFY(bob.c.open(f.port(), "BOB"));
    QCOMPARE(bob.search({"DATA", "REPORTS"}), std::uint8_t(0x9C));
    const auto read = bob.open(0x01, 1, {"DATA", "REPORTS", "Q1.XLS"});
    QCOMPARE(read->completion, std::uint8_t(0));
    QCOMPARE(
        bob.c
            .request(0x48, 0, fileHandle(handleOf(*read)) + WireWriter().u32be(0).u16be(100).take())
            ->data,
        WireWriter().u16be(5).bytes("data\n").take());
    QCOMPARE(
        bob.c
            .request(0x49, 0,
                     fileHandle(handleOf(*read)) + WireWriter().u32be(0).u16be(1).u8('x').take())
            ->completion,
        std::uint8_t(0x94)); // opened to read
    QCOMPARE(bob.open(0x01, 2, {"DATA", "REPORTS", "Q1.XLS"})->completion, std::uint8_t(0x94));
    QCOMPARE(bob.open(0x08, 2, {"DATA", "REPORTS", "NEW.TXT"})->completion, std::uint8_t(0x84));
    QCOMPARE(bob.remove({"DATA", "REPORTS", "Q1.XLS"}), std::uint8_t(0x8A));
    QCOMPARE(bob.rename({"DATA", "REPORTS", "Q1.XLS"}, {"DATA", "REPORTS", "Q9.XLS"}),
             std::uint8_t(0x8C));
    QCOMPARE(bob.open(0x01, 1, {"DATA", "SECRET.TXT"})->completion, std::uint8_t(0xFF));
    QCOMPARE(QDir(f.builder.hostPath("DATA:REPORTS")).entryList(QDir::Files).size(), 2);

    Files smith;
    QVERIFY(smith.c.open(f.port(), "JSMITH"));
    const auto made = smith.open(0x08, 2, {"DATA", "REPORTS", "New.txt"});
    QCOMPARE(made->completion, std::uint8_t(0));
    const QByteArray handle = fileHandle(handleOf(*made));
    QCOMPARE(smith.c.request(0x49, 0, handle + WireWriter().u32be(0).u16be(3).bytes("abc").take())
                 ->completion,
             std::uint8_t(0));
    QCOMPARE(smith.c.request(0x42, 0, handle)->completion, std::uint8_t(0));
    QCOMPARE(smith.c.request(0x42, 0, handle)->completion, std::uint8_t(0x88)); // closed already
    QCOMPARE(smith.rename({"DATA", "REPORTS", "new.TXT"}, {"DATA", "REPORTS", "Q1.XLS"}),
             std::uint8_t(0x92)); // never over another entry
    QCOMPARE(smith.rename({"DATA", "REPORTS", "new.TXT"}, {"DATA", "REPORTS", "Done.txt"}),
             std::uint8_t(0));
    QFile done(f.builder.hostPath("DATA:REPORTS\\Done.txt"));
    QVERIFY(done.open(QIODevice::ReadOnly));
    QCOMPARE(done.readAll(), QByteArray("abc"));
    QCOMPARE(smith.remove({"DATA", "REPORTS", "DONE.TXT"}), std::uint8_t(0));
    QVERIFY(!done.exists());
    QCOMPARE(smith.search({"DATA", "REPORTS"}), std::uint8_t(0));
    QCOMPARE(smith.search({"DATA"}), std::uint8_t(0x9C)); // no rights above REPORTS
}

void NcpdFileCallsTest::searchesAnswerManyAtATime_data()
{
    QTest::addColumn<QString>("profile");
    QTest::addColumn<int>("replies");
    QTest::newRow("netware") << "netware" << 1;
    QTest::newRow("emulator") << "emulator" << 40;
}

void NcpdFileCallsTest::searchesAnswerManyAtATime()
{
    QFETCH(QString, profile);
    QFETCH(int, replies);
    NcpdFixture f;
    for (int i = 0; i < 38; ++i)
        f.builder.file(QStringLiteral("DATA:MANY\\FILE%1.TXT").arg(i, 2, 10, QLatin1Char('0')));
    f.builder.file("DATA:MANY\\Long name of a file.txt").directory("DATA:MANY\\SUB");
    f.builder.set("profile", profile);
    QVERIFY(f.start());
    Files s;
    QVERIFY(s.c.open(f.port(), "ADMIN", "secret"));
    int taken = 0;
    const QList<QByteArray> names = s.list({"DATA", "MANY"}, &taken);
    QCOMPARE(names.size(), 40);
    QCOMPARE(names.first(), QByteArray("FILE00.TXT"));
    QVERIFY(names.contains("Long name of a file.txt") && names.contains("SUB"));
    QCOMPARE(taken, replies);
}

void NcpdFileCallsTest::volumeWithoutLongNames()
{
    NcpdFixture f;
    QJsonObject root = f.builder.json();
    QJsonArray volumes = root.value("volumes").toArray();
    QJsonObject data = volumes[1].toObject();
    data.insert("longNames", false);
    volumes[1] = data;
    f.builder.set("volumes", volumes);
    QVERIFY(f.start());
    Files s;
    QVERIFY(s.c.open(f.port(), "ADMIN", "secret"));
    QCOMPARE(s.search({"DATA", "REPORTS"}), std::uint8_t(0xBF));
    s.ns = 0;
    QCOMPARE(s.list({"DATA", "REPORTS"}), (QList<QByteArray>{"Q1.XLS", "QUARTE~1.DOC"}));
    QCOMPARE(s.info({"DATA", "REPORTS", "quarte~1.doc"}), std::uint8_t(0));
}

QTEST_MAIN(NcpdFileCallsTest)
#include "ncpd_file_calls_test.moc"
