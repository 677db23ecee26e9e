// SPDX-License-Identifier: GPL-3.0-or-later
// The client's reply decoders: each takes its layout, and refuses a reply one
// byte short, one byte long, or whose fields contradict each other or the
// request.

#include "ncp/bindery_requests.h"
#include "ncp/connection_requests.h"
#include "ncp/directory_requests.h"
#include "ncp/ds_requests.h"
#include "ncp/file_requests.h"
#include "ncp/file_use_requests.h"
#include "ncp/ncp_volume_files.h"
#include "ncp/wire_writer.h"
#include "support/fake_ncp_server.h"

#include <QTest>

#include <functional>

using namespace ncp;

namespace {

constexpr std::uint32_t kId = 0x01020304;

struct Case
{
    const char* name;
    std::function<bool(const QByteArray&)> decodes;
    std::function<QByteArray()> good;
    // Replies that real servers lengthen with fields nobody reads: a longer
    // reply is theirs to send (checked apart, below).
    bool exactLength = true;
};

QByteArray usingFile(std::uint16_t count, std::uint16_t entries)
{
    WireWriter w;
    w.u16le(7);
    for (int i = 0; i < 6; ++i)
        w.u16le(std::uint16_t(i + 1));
    w.u8(1).u8(1).u16le(count);
    for (std::uint16_t i = 0; i < entries; ++i)
        w.u16le(std::uint16_t(i + 1)).u16le(1).u8(8).u8(3).u8(0);
    return w.take();
}

QByteArray trustees(std::uint8_t count, bool zeroId = false)
{
    WireWriter w;
    w.u8(count);
    for (int i = 0; i < 20; ++i)
        w.u32be(i < count && !(zeroId && i == 0) ? std::uint32_t(0x100 + i) : 0);
    for (int i = 0; i < count; ++i)
        w.u16le(0x1FF);
    return w.take();
}

QByteArray dsFragment(std::int32_t error, const QByteArray& verb, std::uint32_t next = ~0u)
{
    WireWriter w;
    w.u32le(std::uint32_t(8 + verb.size())).u32le(next).u32le(std::uint32_t(error)).bytes(verb);
    return w.take();
}

QByteArray entryName(const QByteArray& utf16WithTerminator)
{
    WireWriter w;
    w.u32le(std::uint32_t(utf16WithTerminator.size())).bytes(utf16WithTerminator);
    while (w.size() % 4)
        w.u8(0);
    return w.take();
}

const std::vector<Case>& cases()
{
    static const std::vector<Case> all = {
        {"23/17 version", [](auto& d) { return decodeVersion(d).has_value(); },
         [] { return quorvex::versionReplyData(4); }},
        {"23/23 login key", [](auto& d) { return decodeLoginKey(d).has_value(); },
         [] { return QByteArray(8, 'k'); }},
        {"23/54 object name", [](auto& d) { return decodeObjectName(d, kId).has_value(); },
         [] { return WireWriter().u32be(kId).u16be(1).paddedText("ADMIN", 48).take(); }},
        {"23/28 connection", [](auto& d) { return decodeConnectionInfo(d).has_value(); },
         [] { return WireWriter().u32be(kId).u16be(1).paddedText("ADMIN", 48).zeros(7).take(); },
         false},
        {"23/26 address", [](auto& d) { return decodeInetAddr(d).has_value(); },
         [] { return QByteArray(13, '\1'); }},
        {"21/10 broadcast", [](auto& d) { return decodeBroadcast(d, 2).has_value(); },
         [] { return WireWriter().u16le(2).u32le(0).u32le(3).take(); }},
        {"23/244 path entry", [](auto& d) { return decodePathEntry(d).has_value(); },
         [] { return WireWriter().u8(1).u32le(77).take(); }},
        {"23/236 using file", [](auto& d) { return decodeConnectionsUsingFile(d).has_value(); },
         [] { return usingFile(2, 2); }},
        {"22/5 volume", [](auto& d) { return decodeVolumeNumber(d).has_value(); },
         [] { return QByteArray(1, '\2'); }},
        {"22/19 dir handle", [](auto& d) { return decodeAllocDirHandle(d).has_value(); },
         [] { return QByteArray("\x05\xFF", 2); }},
        {"23/71 trustee path", [](auto& d) { return decodeTrusteePath(d, kId).has_value(); },
         [] { return WireWriter().u16be(3).u32be(kId).u8(0xFF).lengthPrefixed("SYS:X").take(); }},
        {"22/38 trustees", [](auto& d) { return decodeDirTrustees(d).has_value(); },
         [] { return trustees(2); }},
        {"22/40 entry", [](auto& d) { return decodeExtendedInfo(d).has_value(); },
         [] { return QByteArray(140, '\0'); }},
        {"87/6 long name", [](auto& d) { return decodeLongName(d).has_value(); },
         [] { return WireWriter().zeros(76).lengthPrefixed("Long name.txt").take(); }},
        {"87/6 directory entry", [](auto& d) { return decodeDirectoryEntry(d).has_value(); },
         [] { return WireWriter().zeros(56).u32le(1).zeros(16).lengthPrefixed("Q1.XLS").take(); }},
        {"21/0 broadcast", [](auto& d) { return decodeOldBroadcast(d, 2).has_value(); },
         [] { return QByteArray("\x02\x00\xFC", 3); }},
        {"23/61 login control", [](auto& d) { return decodeGraceLogins(d).has_value(); },
         [] { return QByteArray(130, '\0'); }},
        {"104/2 fragment", [](auto& d) { return decodeDsReply(d).has_value(); },
         [] { return dsFragment(0, QByteArray(8, '\1')); }},
        {"resolve name", [](auto& d) { return decodeResolvedName(d).has_value(); },
         [] { return WireWriter().u32le(1).u32be(kId).take(); }, false},
        {"entry name", [](auto& d) { return decodeEntryName(d).has_value(); },
         [] { return entryName(QByteArray("A\0B\0\0\0", 6)); }},
        {"87/6 entry information", [](auto& d) { return decodeEntryInfo(d).has_value(); },
         [] { return WireWriter().zeros(76).lengthPrefixed("Q1.XLS").take(); }},
        {"87/2 search start", [](auto& d) { return decodeInitSearch(d).has_value(); },
         [] { return WireWriter().u8(1).u32le(7).u32le(~0u).take(); }},
        {"87/20 search set", [](auto& d) { return decodeSearchSet(d, kRimBrowse).has_value(); },
         [] {
             return WireWriter()
                 .u8(1)
                 .u32le(7)
                 .u32le(2)
                 .u8(0xFF)
                 .u16le(2)
                 .zeros(76)
                 .lengthPrefixed("A.TXT")
                 .zeros(76)
                 .lengthPrefixed("Long name.doc")
                 .take();
         }},
        {"87/1 opened", [](auto& d) { return decodeOpenCreate(d).has_value(); },
         [] { return WireWriter().u32le(9).u8(1).u8(0).take(); }, false},
        {"72 read", [](auto& d) { return decodeReadFile(d, 0, 8).has_value(); },
         [] { return WireWriter().u16be(3).bytes(QByteArray("abc")).take(); }, false},
    };
    return all;
}

} // namespace

class NcpReplyDecodersTest : public QObject
{
    Q_OBJECT

private slots:
    void takesItsLayoutAndNothingElse_data()
    {
        QTest::addColumn<int>("index");
        for (std::size_t i = 0; i < cases().size(); ++i)
            QTest::newRow(cases()[i].name) << int(i);
    }
    void takesItsLayoutAndNothingElse()
    {
        QFETCH(int, index);
        const Case& c = cases()[std::size_t(index)];
        const QByteArray good = c.good();
        QVERIFY(c.decodes(good));
        QVERIFY(!c.decodes(good.chopped(1)));
        if (c.exactLength)
            QVERIFY(!c.decodes(good + '\0'));
        QVERIFY(!c.decodes(QByteArray()));
    }

    void takesWhatServersAppend()
    {
        // 23/28: one reserved byte after the login time, and nothing more.
        const QByteArray info = WireWriter().u32be(kId).u16be(1).paddedText("ADMIN", 48).take() +
                                QByteArray("\x68\x03\x07\x09\x0f\x2a\x00", 7);
        const auto plain = decodeConnectionInfo(info);
        const auto reserved = decodeConnectionInfo(info + '\0');
        QVERIFY(plain && reserved);
        QCOMPARE(reserved->loginTime, plain->loginTime);
        QCOMPARE(reserved->loginTime[5], std::uint8_t(42));
        QVERIFY(!decodeConnectionInfo(info + QByteArray(2, '\0')));
        // Resolve name: referral records after the entry ID are passed over.
        const auto referred = decodeResolvedName(
            WireWriter().u32le(1).u32be(kId).u32le(1).u32le(9).u32le(4).u32be(0x7F000001).take());
        QVERIFY(referred && referred->found);
        QCOMPARE(referred->entryId, kId);
        // 23/17: the record keeps its counts in host order, as the simulation fills it.
        QByteArray version = quorvex::versionReplyData(6);
        version[50] = 0x01; // 250 connections, big-endian on the wire
        version[51] = char(0xFA);
        version[59] = 0x00; // peak 7, at an odd offset
        version[60] = 0x07;
        const auto v = decodeVersion(version);
        QCOMPARE(v->bytes[50] | v->bytes[51] << 8, 0x01FA);
        QCOMPARE(v->bytes[59] | v->bytes[60] << 8, 7);
    }

    void readsFileAnswersAsLaidOut()
    {
        // An entry in a set: attributes, size, modification, rights, numbers, name.
        const QByteArray entry = WireWriter()
                                     .zeros(4)
                                     .u32le(0x22)
                                     .u16le(0x22)
                                     .u32le(1234)
                                     .zeros(14)
                                     .u16le(0x4A3C) // 09:17:56
                                     .u16le(0x3067) // 2004-03-07
                                     .zeros(14)
                                     .u16le(0x1FB)
                                     .u32le(5)
                                     .u32le(6)
                                     .u32le(1)
                                     .zeros(16)
                                     .lengthPrefixed("Q1.XLS")
                                     .take();
        const auto set = decodeSearchSet(
            WireWriter().u8(1).u32le(7).u32le(9).u8(0).u16le(1).take() + entry, kRimBrowse);
        QVERIFY(set && !set->more && set->next.position == 9 && set->entries.size() == 1);
        const EntryInfo& e = set->entries[0];
        QCOMPARE(e.attributes, 0x22u);
        QCOMPARE(e.dataSize, 1234u);
        QCOMPARE(e.rights, std::uint16_t(0x1FB));
        QCOMPARE(e.dosEntry, 6u);
        QCOMPARE(e.name, QByteArray("Q1.XLS"));
        QCOMPARE(fromPackedDateTime(e.modifyDate, e.modifyTime),
                 QDateTime(QDate(2004, 3, 7), QTime(9, 17, 56), Qt::UTC));
        // A read at an odd offset has a pad byte before the data.
        QCOMPARE(*decodeReadFile(WireWriter().u16be(2).u8(0).bytes("xy").take(), 1, 8),
                 QByteArray("xy"));
        QVERIFY(!decodeReadFile(WireWriter().u16be(9).bytes("123456789").take(), 0, 8));
    }

    void refusesContradictions_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("decoder");
        // decoder: 0 using file, 1 broadcast of 2, 2 object name, 3 trustee path,
        // 4 fragment, 5 trustees, 6 dir handle, 7 entry name, 8 object ID
        QTest::newRow("71 connections in one batch") << usingFile(71, 71) << 0;
        QTest::newRow("count above the entries") << usingFile(3, 2) << 0;
        QTest::newRow("count below the entries") << usingFile(1, 2) << 0;
        QTest::newRow("statuses for 3 of 2") << WireWriter().u16le(3).zeros(12).take() << 1;
        QTest::newRow("statuses for 1 of 2") << WireWriter().u16le(1).zeros(4).take() << 1;
        QTest::newRow("name of another object")
            << WireWriter().u32be(kId + 1).u16be(1).paddedText("X", 48).take() << 2;
        QTest::newRow("trustee path of another object")
            << WireWriter().u16be(3).u32be(kId + 1).u8(1).lengthPrefixed("V:X").take() << 3;
        QTest::newRow("more fragments follow") << dsFragment(0, QByteArray(8, '\1'), 7) << 4;
        QTest::newRow("21 trustees") << trustees(20).replace(0, 1, "\x15") << 5;
        QTest::newRow("trustee with ID 0") << trustees(2, true) << 5;
        QTest::newRow("dir handle 0") << QByteArray("\0\xFF", 2) << 6;
        QTest::newRow("name of odd length") << entryName(QByteArray("A\0B", 3)) << 7;
        QTest::newRow("name with a NUL inside") << entryName(QByteArray("A\0\0\0B\0\0\0", 8)) << 7;
        QTest::newRow("object ID 0") << QByteArray(4, '\0') << 8;
    }
    void refusesContradictions()
    {
        QFETCH(QByteArray, reply);
        QFETCH(int, decoder);
        const std::function<bool(const QByteArray&)> decoders[] = {
            [](auto& d) { return decodeConnectionsUsingFile(d).has_value(); },
            [](auto& d) { return decodeBroadcast(d, 2).has_value(); },
            [](auto& d) { return decodeObjectName(d, kId).has_value(); },
            [](auto& d) { return decodeTrusteePath(d, kId).has_value(); },
            [](auto& d) { return decodeDsReply(d).has_value(); },
            [](auto& d) { return decodeDirTrustees(d).has_value(); },
            [](auto& d) { return decodeAllocDirHandle(d).has_value(); },
            [](auto& d) { return decodeEntryName(d).has_value(); },
            [](auto& d) { return decodeObjectId(d).has_value(); },
        };
        QVERIFY(!decoders[decoder](reply));
    }

    void decodesTheFields()
    {
        const auto batch = decodeConnectionsUsingFile(usingFile(2, 2));
        QVERIFY(batch);
        QCOMPARE(batch->nextRecord, 7);
        QCOMPARE(batch->summary.useCount, 1);
        QCOMPARE(batch->summary.denyWriteCount, 6);
        QCOMPARE(batch->connections.connCount, 2);
        QCOMPARE(batch->connections.connInfo[1].connNumber, 2);
        QCOMPARE(batch->connections.connInfo[1].lockType, 8);

        const auto list = decodeDirTrustees(trustees(2));
        QVERIFY(list);
        QCOMPARE(list->size(), std::size_t(2));
        QCOMPARE((*list)[1].objectID, 0x101u);
        QCOMPARE((*list)[1].objectRights, 0x1FF);
        // The rights of all twenty slots may come along.
        QVERIFY(decodeDirTrustees(trustees(2) + QByteArray(36, '\0')));

        // 22/40: NetWare's 140 bytes or the emulators' 132, the creator,
        // archiver and modifier big-endian on the wire.
        for (const int size : {140, 132}) {
            QByteArray entry(size, '\0');
            entry.replace(32, 4, WireWriter().u32be(kId).take());
            entry.replace(48, 4, WireWriter().u32be(0x1003).take());
            entry.replace(102, 2, WireWriter().u16le(0x3068).take());
            const auto info = decodeExtendedInfo(entry);
            QVERIFY(info);
            QCOMPARE(info->u32(32), kId);
            QCOMPARE(info->u32(48), 0x1003u);
            QCOMPARE(info->u16(102), 0x3068);
        }

        const auto resolved = decodeResolvedName(WireWriter().u32le(1).u32be(kId).take());
        QVERIFY(resolved && resolved->found);
        QCOMPARE(resolved->entryId, kId); // the four bytes big-endian
        QCOMPARE(*decodeEntryName(entryName(QByteArray("A\0B\0\0\0", 6))), QStringLiteral("AB"));
        QCOMPARE(*decodeObjectId(QByteArray("\x00\x00\x10\x01", 4)), 0x1001u);
        QVERIFY(decodeObjectId(WireWriter().u32be(kId).u16be(1).zeros(48).take()));
    }
};

QTEST_GUILESS_MAIN(NcpReplyDecodersTest)
#include "ncp_reply_decoders_test.moc"
