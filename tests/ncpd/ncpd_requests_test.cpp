// SPDX-License-Identifier: GPL-3.0-or-later
// The server's request decoders: every field read where the layouts put it,
// and anything cut short, padded with stray bytes or counting past its end
// refused.

#include "ds_request_frame.h"
#include "ncp/wire_reader.h"
#include "ncp/wire_writer.h"
#include "ncpd/bindery_requests.h"
#include "ncpd/connection_requests.h"
#include "ncpd/directory_requests.h"
#include "ncpd/ds_entry_info.h"
#include "ncpd/ds_fragments.h"
#include "ncpd/ds_names.h"
#include "ncpd/ds_requests.h"
#include "ncpd/file_requests.h"
#include "ncpd/file_use_requests.h"
#include "ncpd/long_name_request.h"

#include <QtTest>

#include <functional>

using ncp::WireWriter;
using Decoder = std::function<bool(const QByteArray&)>;
Q_DECLARE_METATYPE(Decoder)

namespace {

template <typename F> Decoder accepts(F decode)
{
    return [decode](const QByteArray& data) { return decode(data).has_value(); };
}

QByteArray resolveName(const QByteArray& utf16WithTerminator)
{
    WireWriter w;
    w.u32le(0).u32le(0x11).u32le(0).u32le(std::uint32_t(utf16WithTerminator.size()));
    w.bytes(utf16WithTerminator).zeros((4 - utf16WithTerminator.size() % 4) % 4);
    w.u32le(2).u32le(0).u32le(1).u32le(1).u32le(0);
    return w.take();
}

} // namespace

class NcpdRequestsTest : public QObject
{
    Q_OBJECT
private slots:
    void wholeRequestsDecode_data();
    void wholeRequestsDecode();
    void fieldsAreReadWhereTheyLie();
    void textWithNulOrSeparatorsIsRefused();
    void clearConnectionKeepsBothReadings();
    void resolveNameReadsUtf16();
    void dsMessagesArePutTogether();
    void dsNamesTakeEveryForm();
    void repliesAreLaidOut();
};

void NcpdRequestsTest::wholeRequestsDecode_data()
{
    QTest::addColumn<Decoder>("decode");
    QTest::addColumn<QByteArray>("data");
    const QByteArray path = WireWriter().lengthPrefixed("DATA:REPORTS\\Q1.XLS").take();
    QTest::newRow("23/244") << accepts(ncpd::decodePathToEntry) << QByteArray(1, '\0') + path;
    QTest::newRow("23/236") << accepts(ncpd::decodeConnsUsingFile)
                            << WireWriter().u8(0).u8(1).u32le(7).u16le(0).take();
    QTest::newRow("NCP 7") << accepts(ncpd::decodeClearFileLock) << QByteArray(1, '\0') + path;
    QTest::newRow("NCP 8") << accepts(ncpd::decodeClearLockSet) << QByteArray(1, '\0');
    QTest::newRow("23/28") << accepts(ncpd::decodeConnectionNumber) << WireWriter().u32le(5).take();
    QTest::newRow("23/254") << accepts(ncpd::decodeClearConnection) << WireWriter().u32le(5).take();
    QTest::newRow("21/10") << accepts(ncpd::decodeBroadcast)
                           << WireWriter().u16le(2).u32le(5).u32le(6).lengthPrefixed("hi").take();
    QTest::newRow("22/19") << accepts(ncpd::decodeAllocDirHandle) << QByteArray(2, '\0') + path;
    QTest::newRow("22/20") << accepts(ncpd::decodeDirHandle) << QByteArray(1, '\1');
    QTest::newRow("22/5") << accepts(ncpd::decodeVolumeNumber)
                          << WireWriter().lengthPrefixed("SYS").take();
    QTest::newRow("23/71") << accepts(ncpd::decodeObjectTrusteePaths)
                           << WireWriter().u8(1).u16be(0xFFFF).u32be(1002).take();
    QTest::newRow("22/38") << accepts(ncpd::decodeDirectoryTrustees) << QByteArray(2, '\0') + path;
    QTest::newRow("22/40") << accepts(ncpd::decodeExtendedInfo)
                           << WireWriter().u8(0).u8(6).u32le(0xFFFFFFFF).take() + path;
    QTest::newRow("87/6") << accepts(ncpd::decodeLongName)
                          << WireWriter()
                                 .u8(4)
                                 .u8(0)
                                 .u16le(0)
                                 .u32le(1)
                                 .u8(1)
                                 .u32le(0)
                                 .u8(0xFF)
                                 .u8(2)
                                 .lengthPrefixed("REPORTS")
                                 .lengthPrefixed("Long name.doc")
                                 .take();
    const QByteArray noHandle = WireWriter()
                                    .u8(0)
                                    .u32le(0)
                                    .u8(0xFF)
                                    .u8(2)
                                    .lengthPrefixed("DATA")
                                    .lengthPrefixed("X")
                                    .take();
    QTest::newRow("87/1") << accepts(ncpd::decodeOpenCreate)
                          << WireWriter().u8(4).u8(1).u16le(6).u32le(0).u32le(0).u16le(1).take() +
                                 noHandle;
    QTest::newRow("87/2") << accepts(ncpd::decodeInitSearch) << QByteArray(2, '\4') + noHandle;
    QTest::newRow("87/4") << accepts(ncpd::decodeRename)
                          << WireWriter()
                                 .u8(4)
                                 .u8(0)
                                 .u16le(6)
                                 .u8(0)
                                 .u32le(0)
                                 .u8(0xFF)
                                 .u8(1)
                                 .u8(0)
                                 .u32le(0)
                                 .u8(0xFF)
                                 .u8(2)
                                 .lengthPrefixed("DATA")
                                 .lengthPrefixed("DATA")
                                 .lengthPrefixed("Y")
                                 .take();
    QTest::newRow("87/8") << accepts(ncpd::decodeDelete)
                          << WireWriter().u8(4).u8(0).u16le(6).take() + noHandle;
    QTest::newRow("87/20") << accepts(ncpd::decodeSearchSet)
                           << WireWriter()
                                  .u8(4)
                                  .u8(0)
                                  .u16le(0x8006)
                                  .u32le(0x89D)
                                  .u16le(100)
                                  .u8(1)
                                  .u32le(7)
                                  .u32le(0xFFFFFFFF)
                                  .u8(2)
                                  .u8(0xFF)
                                  .u8('*')
                                  .take();
    QTest::newRow("66") << accepts(ncpd::decodeCloseFile) << QByteArray(7, '\1');
    QTest::newRow("72") << accepts(ncpd::decodeReadFile)
                        << QByteArray(7, '\1') + WireWriter().u32be(0).u16be(512).take();
    QTest::newRow("73") << accepts(ncpd::decodeWriteFile)
                        << QByteArray(7, '\1') + WireWriter().u32be(0).u16be(3).take() + "abc";
    QTest::newRow("23/53") << accepts(ncpd::decodeObjectId)
                           << WireWriter().u16be(1).lengthPrefixed("ADMIN").take();
    QTest::newRow("23/24") << accepts(ncpd::decodeKeyedLogin)
                           << WireWriter().zeros(8).u16be(1).lengthPrefixed("ADMIN").take();
    QTest::newRow("23/54") << accepts(ncpd::decodeObjectName) << WireWriter().u32be(1).take();
}

void NcpdRequestsTest::wholeRequestsDecode()
{
    QFETCH(Decoder, decode);
    QFETCH(QByteArray, data);
    QVERIFY(decode(data));
    for (qsizetype n = 0; n < data.size(); ++n)
        QVERIFY2(!decode(data.left(n)), qPrintable(QStringLiteral("cut to %1 bytes").arg(n)));
    QVERIFY2(!decode(data + 'x'), "a stray byte after the fields");
}

void NcpdRequestsTest::fieldsAreReadWhereTheyLie()
{
    const auto scan = ncpd::decodeConnsUsingFile(QByteArray::fromHex("0002"
                                                                     "78563412"
                                                                     "3412"));
    QCOMPARE(scan->volume, std::uint8_t(2));
    QCOMPARE(scan->directoryBase, 0x12345678u);
    QCOMPARE(scan->lastRecord, std::uint16_t(0x1234));
    const auto paths = ncpd::decodeObjectTrusteePaths(QByteArray::fromHex("01"
                                                                          "0003"
                                                                          "000003EA"));
    QCOMPARE(paths->sequence, std::uint16_t(3));
    QCOMPARE(paths->objectId, 1002u);
    const auto broadcast = ncpd::decodeBroadcast(QByteArray::fromHex("0100"
                                                                     "05000100"
                                                                     "026869"));
    QCOMPARE(broadcast->connections, std::vector<std::uint32_t>{0x00010005});
    QCOMPARE(broadcast->message, QByteArray("hi"));
    const auto login = ncpd::decodeKeyedLogin(QByteArray::fromHex("0102030405060708"
                                                                  "0001"
                                                                  "03424F42"));
    QCOMPARE(login->encrypted[7], std::uint8_t(8));
    QCOMPARE(login->name, QByteArray("BOB"));
}

void NcpdRequestsTest::textWithNulOrSeparatorsIsRefused()
{
    QVERIFY(!ncpd::decodeVolumeNumber(WireWriter().lengthPrefixed(QByteArray("SY\0S", 4)).take()));
    const auto longName = [](const QByteArray& component) {
        return ncpd::decodeLongName(WireWriter()
                                        .u8(4)
                                        .u8(0)
                                        .u16le(0)
                                        .u32le(1)
                                        .u8(1)
                                        .u32le(0)
                                        .u8(0xFF)
                                        .u8(1)
                                        .lengthPrefixed(component)
                                        .take());
    };
    QVERIFY(longName("NAME.TXT"));
    QVERIFY(!longName(QByteArray("NA\0ME", 5)));
    // Separators and empty names are the path look-up's to refuse (0x9C).
    QVERIFY(longName("..\\X"));
}

void NcpdRequestsTest::clearConnectionKeepsBothReadings()
{
    const auto r = ncpd::decodeClearConnection(QByteArray::fromHex("00000006"));
    QCOMPARE(r->littleEndian, 0x06000000u);
    QCOMPARE(r->bigEndian, 6u);
}

void NcpdRequestsTest::resolveNameReadsUtf16()
{
    const QByteArray name = QByteArray::fromHex("42004f00420000 00"); // "BOB" + terminator
    ncpd::DsFragments fragments;
    const auto ds = fragments.take(dsRequestFrame(1, resolveName(name)));
    QCOMPARE(ds.kind, ncpd::DsFragments::Outcome::Complete);
    QCOMPARE(ds.request.verb, 1u);
    const auto resolve = ncpd::decodeResolveName(ds.request.parameters);
    QVERIFY(resolve);
    QCOMPARE(resolve->name, QStringLiteral("BOB"));
    QCOMPARE(resolve->transports, (std::vector<std::uint32_t>{0, 1}));
    // No terminator, an odd length, a length past the end: refused.
    QVERIFY(!ncpd::decodeResolveName(resolveName(QByteArray::fromHex("42004f00"))));
    QVERIFY(!ncpd::decodeResolveName(resolveName(QByteArray::fromHex("4200000000"))));
    QVERIFY(!ncpd::decodeResolveName(WireWriter().u32le(0).u32le(0).u32le(0).u32le(400).take()));
}

void NcpdRequestsTest::dsMessagesArePutTogether()
{
    using Kind = ncpd::DsFragments::Outcome::Kind;
    const QByteArray params = WireWriter().u32le(2).u32le(1).u32le(0x2000).u32be(7).take();
    ncpd::DsFragments f;
    QCOMPARE(f.take(dsRequestFrame(2, params)).kind, Kind::Complete);
    QCOMPARE(f.take(dsRequestFrame(2, params) + QByteArray(3, '\0')).kind, Kind::Complete);
    QCOMPARE(f.take(dsRequestFrame(2, params) + QByteArray(4, '\0')).kind, Kind::Refused);
    QByteArray tooSmall = dsRequestFrame(2, params);
    tooSmall[8] = 11; // message size below its own header
    tooSmall[9] = 0;
    QCOMPARE(f.take(tooSmall).kind, Kind::Refused);
    QCOMPARE(f.take(WireWriter().u32le(77).take() + params).kind, Kind::Refused); // unknown handle

    // Cut after 5 parameter bytes: the server hands out a handle for the rest.
    const auto first = f.take(dsRequestFrame(2, params).chopped(11));
    QCOMPARE(first.kind, Kind::NeedMore);
    QVERIFY(first.handle != ncpd::kNoFragmentHandle);
    const auto middle = f.take(WireWriter().u32le(first.handle).take() + params.mid(5, 6));
    QCOMPARE(middle.kind, Kind::NeedMore);
    const auto last = f.take(WireWriter().u32le(middle.handle).take() + params.mid(11));
    QCOMPARE(last.kind, Kind::Complete);
    QCOMPARE(last.request.parameters, params);
    QCOMPARE(last.request.verb, 2u);
    QCOMPARE(ncpd::decodeReadEntryName(last.request.parameters)->objectId(), 7u);
    QCOMPARE(f.take(WireWriter().u32le(middle.handle).take() + params).kind, Kind::Refused);

    // A reply larger than the client's fragments goes in pieces it asks for.
    const QByteArray verbData(36, 'x'); // with the error: two pieces of 20
    const QByteArray piece = f.reply(0, verbData, 24);
    ncp::WireReader in(piece);
    QCOMPARE(in.u32le(), 24u); // handle and 20 bytes
    const std::uint32_t next = in.u32le();
    QVERIFY(next != ncpd::kNoFragmentHandle);
    QCOMPARE(in.u32le(), 0u); // the directory error comes first
    const auto rest = f.take(WireWriter().u32le(next).take());
    QCOMPARE(rest.kind, Kind::Reply);
    ncp::WireReader tail(rest.reply);
    QCOMPARE(tail.u32le(), 4u + 20u);
    QCOMPARE(tail.u32le(), ncpd::kNoFragmentHandle);
    QCOMPARE(piece.mid(12) + rest.reply.mid(8), verbData);
}

void NcpdRequestsTest::repliesAreLaidOut()
{
    std::array<nw::TRUSTEE_INFO, 20> trustees{};
    trustees[0] = {1002, 0x01FB};
    trustees[1] = {1003, 1};
    const QByteArray t = ncpd::encodeDirectoryTrusteesReply(trustees);
    QCOMPARE(t.size(), 1 + 80 + 4);
    QCOMPARE(t.mid(89 - 8, 2), QByteArray::fromHex("FB01")); // rights LE at 89

    nw::VERSION_INFO info;
    info.bytes[50] = 0x34; // 0x1234 little-endian in the client record
    info.bytes[51] = 0x12;
    const QByteArray v = ncpd::encodeVersionReply(info);
    QCOMPARE(v.size(), 128);
    QCOMPARE(v.mid(50, 2), QByteArray::fromHex("1234"));

    info.bytes[59] = 0x07; // the peak, at an odd offset
    QCOMPARE(ncpd::encodeVersionReply(info).mid(59, 2), QByteArray::fromHex("0007"));

    ncpd::DsEntryInfo e;
    e.id = 0x01020304;
    e.dn = QStringLiteral("AB");
    QCOMPARE(ncpd::encodeEntryInfoData(0x2000, e), QByteArray::fromHex("06000000"
                                                                       "41004200"
                                                                       "00000000"));
    // Fields follow the order of their flags; the output word says which came.
    QCOMPARE(ncpd::encodeEntryInfoData(0x2003, e), QByteArray::fromHex("03200000"
                                                                       "04030201"
                                                                       "06000000"
                                                                       "41004200"
                                                                       "00000000"));
}

void NcpdRequestsTest::dsNamesTakeEveryForm()
{
    const QString jsmith = QStringLiteral("JSMITH.SALES.ACME");
    const QString tree = QStringLiteral("TREE");
    const auto name = [&](std::uint32_t style) {
        return ncpd::formatDsName(jsmith, false, tree, style);
    };
    QCOMPARE(name(0), QStringLiteral("CN=JSMITH.OU=SALES.O=ACME"));
    QCOMPARE(name(1), jsmith);
    QCOMPARE(name(2), QStringLiteral("\\T=TREE\\O=ACME\\OU=SALES\\CN=JSMITH"));
    QCOMPARE(name(3), QStringLiteral("\\TREE\\ACME\\SALES\\JSMITH"));
    QCOMPARE(name(4), QStringLiteral("CN=JSMITH.OU=SALES.O=ACME.T=TREE."));
    QCOMPARE(name(7), QStringLiteral("JSMITH.SALES.ACME.TREE."));
    // A container is named by its own type.
    QCOMPARE(ncpd::formatDsName(QStringLiteral("SALES.ACME"), true, tree, 0),
             QStringLiteral("OU=SALES.O=ACME"));
    QCOMPARE(ncpd::formatDsRdn(QStringLiteral("ACME"), true, 0), QStringLiteral("O=ACME"));
    // Names to resolve lose their types, the tree and the final dot.
    QCOMPARE(ncpd::typelessDsName(QStringLiteral("CN=ADMIN.O=ACME")), QStringLiteral("ADMIN.ACME"));
    QCOMPARE(ncpd::typelessDsName(name(4)), jsmith);
    QCOMPARE(ncpd::typelessDsName(QStringLiteral(".BOB")), QStringLiteral(".BOB"));
}

QTEST_GUILESS_MAIN(NcpdRequestsTest)
#include "ncpd_requests_test.moc"
