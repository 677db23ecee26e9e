// SPDX-License-Identifier: GPL-3.0-or-later
// One NCP session against a scripted server: sequence numbers, replies that
// belong to another request or connection, "still working", time-outs, the
// server reporting the connection bad, the reply size limit, destroy.

#include "ncp/ncp_session.h"
#include "support/fake_ncp_server.h"

#include <QElapsedTimer>
#include <QTest>

#include <thread>

using namespace ncp;
using namespace std::chrono_literals;
using quorvex::FakeNcpPeer;
using quorvex::FakeNcpServer;

namespace {

SessionOptions quick(std::chrono::milliseconds timeout = 300ms)
{
    SessionOptions o;
    o.timeout = timeout;
    return o;
}

} // namespace

class NcpSessionTest : public QObject
{
    Q_OBJECT

private slots:
    void sequenceWrapsAt256()
    {
        FakeNcpServer server([](FakeNcpPeer& peer, int) {
            if (!peer.acceptCreate(9))
                return;
            while (const auto r = peer.receive())
                if (r->type == kRequest)
                    peer.reply(*r, 0, QByteArray(1, char(r->sequence)));
        });
        NcpSession session(QStringLiteral("127.0.0.1"), server.port(), quick());
        QVERIFY(session.open());
        QCOMPARE(session.connectionNumber(), 9);
        // Sequence 1 went to the buffer negotiation.
        for (int i = 2; i <= 301; ++i) {
            const auto reply = session.call(0x16, 5, "\x03SYS");
            QVERIFY2(reply, qPrintable(session.error()));
            QCOMPARE(std::uint8_t(reply->data[0]), std::uint8_t(i % 256));
        }
        session.close();
        QCOMPARE(session.requestsSent(), std::uint64_t(303));
        server.wait();
        const auto log = server.requests().at(0);
        QCOMPARE(log.size(), std::size_t(302)); // create, 300 requests, destroy
        for (std::size_t i = 1; i < log.size(); ++i)
            QCOMPARE(log[i].sequence, std::uint8_t((i + 1) % 256));
        QCOMPARE(log[1].connection, 9);
        QCOMPARE(log.back().type, kDestroyConnection);
        QCOMPARE(log.back().connection, 9);
    }

    void replyForAnotherRequestEndsTheSession_data()
    {
        QTest::addColumn<int>("sequenceShift");
        QTest::addColumn<int>("connection");
        QTest::addColumn<int>("status");
        QTest::newRow("earlier sequence") << -1 << 5 << 0;
        QTest::newRow("later sequence") << 1 << 5 << 0;
        QTest::newRow("other connection") << 0 << 6 << 0;
        QTest::newRow("connection bad") << 0 << 5 << int(kStatusBadConnection);
    }
    void replyForAnotherRequestEndsTheSession()
    {
        QFETCH(int, sequenceShift);
        QFETCH(int, connection);
        QFETCH(int, status);
        FakeNcpServer server([=](FakeNcpPeer& peer, int) {
            if (!peer.acceptCreate(5))
                return;
            auto r = peer.receive();
            if (!r)
                return;
            r->sequence = std::uint8_t(r->sequence + sequenceShift);
            r->connection = std::uint16_t(connection);
            peer.reply(*r, 0, {}, std::uint8_t(status));
            peer.receive(); // until the client hangs up
        });
        NcpSession session(QStringLiteral("127.0.0.1"), server.port(), quick());
        QVERIFY(session.open());
        QVERIFY(!session.call(0x17, 17, {}));
        QVERIFY(!session.isOpen());
        QVERIFY(!session.error().isEmpty());
        QVERIFY(!session.call(0x17, 17, {})); // stays ended until opened again
    }

    void stillWorkingRestartsTheWait()
    {
        FakeNcpServer server([](FakeNcpPeer& peer, int) {
            if (!peer.acceptCreate())
                return;
            const auto r = peer.receive();
            if (!r)
                return;
            // Four times the time-out in all, never more than half of it silent.
            for (int i = 0; i < 8; ++i) {
                std::this_thread::sleep_for(150ms);
                peer.stillWorking(*r);
            }
            std::this_thread::sleep_for(150ms);
            peer.reply(*r, 0, "ok");
            peer.receive();
        });
        NcpSession session(QStringLiteral("127.0.0.1"), server.port(), quick(300ms));
        QVERIFY(session.open());
        const auto reply = session.call(0x17, 17, {});
        QVERIFY2(reply, qPrintable(session.error()));
        QCOMPARE(reply->data, QByteArray("ok"));
        QVERIFY(session.isOpen());
    }

    void silenceEndsTheSessionAfterTheTimeOut()
    {
        FakeNcpServer server([](FakeNcpPeer& peer, int) {
            if (!peer.acceptCreate())
                return;
            peer.receive();     // the request, never answered
            peer.receive(3000); // until the client gives up
        });
        NcpSession session(QStringLiteral("127.0.0.1"), server.port(), quick(300ms));
        QVERIFY(session.open());
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!session.call(0x17, 17, {}));
        QVERIFY(timer.elapsed() >= 290);
        QVERIFY(timer.elapsed() < 2000);
        QVERIFY(!session.isOpen());
        QVERIFY(session.error().contains(QLatin1String("no reply")));
    }

    void replyLimitIsTheLargestReplyAccepted_data()
    {
        QTest::addColumn<int>("dataSize");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("4096 bytes with the header") << int(kReplyLimit - kReplyHeader) << true;
        QTest::newRow("one byte more") << int(kReplyLimit - kReplyHeader + 1) << false;
    }
    void replyLimitIsTheLargestReplyAccepted()
    {
        QFETCH(int, dataSize);
        QFETCH(bool, accepted);
        FakeNcpServer server([=](FakeNcpPeer& peer, int) {
            if (!peer.acceptCreate())
                return;
            if (const auto r = peer.receive())
                peer.reply(*r, 0, QByteArray(dataSize, 'x'));
            peer.receive();
        });
        NcpSession session(QStringLiteral("127.0.0.1"), server.port(), quick());
        QVERIFY(session.open());
        const auto reply = session.call(0x17, 17, {});
        QCOMPARE(reply.has_value(), accepted);
        QCOMPARE(session.isOpen(), accepted);
        server.wait();
        QCOMPARE(server.requests().at(0).at(0).replyLimit, kReplyLimit);
    }

    void garbageInTheStreamEndsTheSession()
    {
        FakeNcpServer server([](FakeNcpPeer& peer, int) {
            if (!peer.acceptCreate())
                return;
            if (peer.receive())
                peer.sendRaw(QByteArray("HTTP/1.0 400 Bad Request\r\n\r\n"));
            peer.receive();
        });
        NcpSession session(QStringLiteral("127.0.0.1"), server.port(), quick());
        QVERIFY(session.open());
        QVERIFY(!session.call(0x17, 17, {}));
        QVERIFY(session.error().contains(QLatin1String("signature")));
    }

    void replyArrivingInPiecesIsWaitedForWhole()
    {
        FakeNcpServer server([](FakeNcpPeer& peer, int) {
            if (!peer.acceptCreate())
                return;
            const auto r = peer.receive();
            if (!r)
                return;
            Reply reply;
            reply.sequence = r->sequence;
            reply.connection = 5;
            reply.data = QByteArray(3000, 'x');
            const QByteArray frame = encodeReply(reply);
            // The header split in two, then the body in two, with pauses between.
            for (const auto& [from, size] : {std::pair{0, 5}, {5, 20}, {25, 1000}, {1025, -1}}) {
                peer.sendRaw(frame.mid(from, size));
                std::this_thread::sleep_for(30ms);
            }
            peer.receive();
        });
        NcpSession session(QStringLiteral("127.0.0.1"), server.port(), quick(2000ms));
        QVERIFY(session.open());
        const auto reply = session.call(0x17, 17, {});
        QVERIFY2(reply, qPrintable(session.error()));
        QCOMPARE(reply->data, QByteArray(3000, 'x'));
    }

    void serverHangingUpEndsTheSession()
    {
        FakeNcpServer server([](FakeNcpPeer& peer, int) {
            if (peer.acceptCreate())
                peer.receive(); // then the connection closes
        });
        NcpSession session(QStringLiteral("127.0.0.1"), server.port(), quick(3000ms));
        QVERIFY(session.open());
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!session.call(0x17, 17, {}));
        QVERIFY(timer.elapsed() < 2000); // noticed at once, not after the time-out
    }

    void negotiatesTheBufferAfterCreate_data()
    {
        // Answers to NCP 97 in turn (the client asks twice only when it may
        // not sign and the server wants it to).
        QTest::addColumn<int>("bigPacketCompletion");
        QTest::addColumn<QByteArrayList>("bigPacketReplies");
        QTest::addColumn<bool>("maySign");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("signing");
        const QByteArray wants = QByteArray::fromHex("1000000002");
        const QByteArray plain = QByteArray::fromHex("1000000000");
        QTest::newRow("NCP 97 answered") << 0 << QByteArrayList{QByteArray::fromHex("0800000000")}
                                         << true << true << 2048 << false;
        QTest::newRow("0 takes the proposal")
            << 0 << QByteArrayList{QByteArray::fromHex("0000000000")} << true << true << 4096
            << false;
        QTest::newRow("never above the proposal")
            << 0 << QByteArrayList{QByteArray::fromHex("FFFF000000")} << true << true << 4096
            << false;
        QTest::newRow("an older server: NCP 33")
            << 0xFB << QByteArrayList{} << true << true << 1024 << false;
        QTest::newRow("server wants signing")
            << 0 << QByteArrayList{wants} << true << true << 4096 << true;
        QTest::newRow("may not sign, level 2 gives way")
            << 0 << QByteArrayList{wants, plain} << false << true << 4096 << false;
        QTest::newRow("may not sign, level 3 insists")
            << 0 << QByteArrayList{wants, wants} << false << false << 0 << false;
    }
    void negotiatesTheBufferAfterCreate()
    {
        QFETCH(int, bigPacketCompletion);
        QFETCH(QByteArrayList, bigPacketReplies);
        QFETCH(bool, maySign);
        QFETCH(bool, opens);
        QFETCH(int, size);
        QFETCH(bool, signing);
        FakeNcpServer server([=](FakeNcpPeer& peer, int) {
            const auto create = peer.receive();
            if (!create)
                return;
            peer.reply(*create, 0);
            for (const QByteArray& answer : bigPacketReplies)
                if (const auto big = peer.receive())
                    peer.reply(*big, std::uint8_t(bigPacketCompletion), answer);
            if (bigPacketCompletion == 0)
                return;
            if (const auto big = peer.receive())
                peer.reply(*big, std::uint8_t(bigPacketCompletion));
            if (const auto buffer = peer.receive())
                peer.reply(*buffer, 0, QByteArray::fromHex("0400"));
        });
        SessionOptions options = quick();
        options.mayStartSigning = maySign;
        NcpSession session(QStringLiteral("127.0.0.1"), server.port(), options);
        QCOMPARE(session.open(), opens);
        if (opens)
            QCOMPARE(int(session.negotiatedSize()), size);
        else
            QVERIFY(session.error().contains(QLatin1String("requires packet signing")));
        QCOMPARE(session.signingWanted(), signing);
        session.abort(QString());
        server.wait();
        const auto log = server.requests().at(0);
        QCOMPARE(log.at(1).function, 0x61);
        QCOMPARE(log.at(1).data, QByteArray::fromHex("100000")); // 4096, no signing asked
        if (bigPacketCompletion != 0) {
            QCOMPARE(log.at(2).function, 0x21);
            QCOMPARE(log.at(2).data, QByteArray::fromHex("1000"));
        }
    }

    void refusedCreateLeavesTheSessionClosed()
    {
        FakeNcpServer server([](FakeNcpPeer& peer, int) {
            if (const auto r = peer.receive())
                peer.reply(*r, 0x96);
        });
        NcpSession session(QStringLiteral("127.0.0.1"), server.port(), quick());
        QVERIFY(!session.open());
        QVERIFY(!session.isOpen());
        server.wait();
        const auto create = server.requests().at(0).at(0);
        QCOMPARE(create.type, kCreateConnection);
        QCOMPARE(create.sequence, 0);
        QCOMPARE(create.connection, kNoConnection);
    }

    void nobodyListeningFailsToOpen()
    {
        std::uint16_t port = 0;
        {
            FakeNcpServer closed([](FakeNcpPeer&, int) {}, 0);
            port = closed.port();
        }
        NcpSession session(QStringLiteral("127.0.0.1"), port, quick());
        QVERIFY(!session.open());
        QVERIFY(session.error().contains(QLatin1String("cannot connect")));
    }
};

QTEST_GUILESS_MAIN(NcpSessionTest)
#include "ncp_session_test.moc"
