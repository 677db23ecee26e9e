// SPDX-License-Identifier: GPL-3.0-or-later
// Framing of NCP over TCP: the headers, the subfunction forms, and streams cut
// into frames whatever pieces the bytes arrive in.

#include "ncp/frame_assembler.h"
#include "ncp/ncp_packet.h"

#include <QTest>

using namespace ncp;

class NcpPacketTest : public QObject
{
    Q_OBJECT

private slots:
    void requestRoundTripsInEverySubfunctionForm_data()
    {
        QTest::addColumn<int>("function");
        QTest::addColumn<int>("dataOffset");
        QTest::newRow("23/28 with a length word") << 0x17 << 10;
        QTest::newRow("87/6 without one") << 0x57 << 8;
        QTest::newRow("NCP 8 without a subfunction") << 0x08 << 7;
    }
    void requestRoundTripsInEverySubfunctionForm()
    {
        QFETCH(int, function);
        QFETCH(int, dataOffset);
        Request r;
        r.sequence = 255;
        r.connection = 0x1234;
        r.function = std::uint8_t(function);
        r.subfunction = 28;
        r.data = QByteArray("\x05\x00\x00\x00", 4);
        r.replyLimit = 4096;
        const QByteArray frame = encodeRequest(r);
        QCOMPARE(frame.left(4), QByteArray("DmdT"));
        QCOMPARE(std::size_t(frame.size()), kRequestTcpHeader + std::size_t(dataOffset) + 4);
        const QByteArray ncp = frame.mid(kRequestTcpHeader);
        QCOMPARE(std::uint8_t(ncp[3]), 0x34); // connection low at 3, high at 5
        QCOMPARE(std::uint8_t(ncp[5]), 0x12);
        QCOMPARE(ncp.mid(dataOffset), r.data);
        if (dataOffset == 10) // the length word counts from offset 9
            QCOMPARE(std::uint8_t(ncp[7]) << 8 | std::uint8_t(ncp[8]), 5);

        const auto back = decodeRequest(ncp, 4096);
        QVERIFY(back);
        QCOMPARE(back->sequence, 255);
        QCOMPARE(back->connection, 0x1234);
        QCOMPARE(back->function, function);
        if (dataOffset > 7)
            QCOMPARE(back->subfunction, 28);
        QCOMPARE(back->data, r.data);
    }

    void inconsistentRequestsAreRefused()
    {
        Request r;
        r.function = 0x17;
        r.subfunction = 28;
        r.data = QByteArray(4, '\0');
        QByteArray ncp = encodeRequest(r).mid(kRequestTcpHeader);
        ncp[8] = char(ncp[8] + 1); // length word one more than what follows
        QVERIFY(!decodeRequest(ncp, 0));
        QVERIFY(!decodeRequest(ncp.left(8), 0)); // cut inside the length word
        QByteArray unknownType = encodeRequest(r).mid(kRequestTcpHeader);
        unknownType[0] = 0x44;
        QVERIFY(!decodeRequest(unknownType, 0));
    }

    void streamIsCutIntoFramesWhateverThePieces()
    {
        Reply a;
        a.sequence = 1;
        a.data = "first";
        Reply b;
        b.sequence = 2;
        b.completion = 0x9C;
        const QByteArray stream = encodeReply(a) + encodeReply(b);
        FrameAssembler assembler(FrameAssembler::Direction::Replies, 1024);
        QList<Reply> seen;
        for (char byte : stream) { // one byte at a time
            assembler.feed(QByteArray(1, byte));
            while (auto frame = assembler.next())
                seen.append(*decodeReply(frame->ncp));
        }
        QVERIFY(!assembler.failed());
        QCOMPARE(seen.size(), 2);
        QCOMPARE(seen[0].data, QByteArray("first"));
        QCOMPARE(seen[1].sequence, 2);
        QCOMPARE(seen[1].completion, 0x9C);
        QCOMPARE(assembler.buffered(), 0u);
    }

    void brokenStreamsFail_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("error");
        Reply r;
        r.data = QByteArray(100, 'x');
        const QByteArray good = encodeReply(r);
        QByteArray badSignature = good;
        badSignature[0] = 'X';
        QByteArray tooLong = good;
        tooLong[6] = 0x10; // 4 KiB and more, past the 1 KiB allowed
        QByteArray tooShort = good;
        tooShort[6] = 0;
        tooShort[7] = 8;
        QByteArray highBits = good; // masked away: the length stays the real one
        highBits[4] = char(0xF0);
        QTest::newRow("signature") << badSignature << QByteArray("bad signature");
        QTest::newRow("beyond the limit") << tooLong << QByteArray("frame larger than allowed");
        QTest::newRow("shorter than headers")
            << tooShort << QByteArray("frame shorter than its headers");
        QTest::newRow("high length bits masked") << highBits << QByteArray();
    }
    void brokenStreamsFail()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, error);
        FrameAssembler assembler(FrameAssembler::Direction::Replies, 1024);
        assembler.feed(bytes);
        const auto frame = assembler.next();
        QCOMPARE(assembler.error(), error);
        QCOMPARE(bool(frame), error.isEmpty());
        assembler.feed(bytes); // nothing more is taken once failed
        QVERIFY(!assembler.next() || error.isEmpty());
    }
};

QTEST_GUILESS_MAIN(NcpPacketTest)
#include "ncp_packet_test.moc"
