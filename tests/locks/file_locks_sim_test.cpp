// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/sim_server_builder.h"
#include "support/transport_client.h"
#include "support/user_list_fixture.h"

#include "app/message_pane.h"
#include "files/directory_box.h"
#include "locks/file_locks.h"

#include <QTest>

using namespace quorvex;

// The lock action against the simulated server, in process and over NCP: the
// station can release only its own lock, and every use gives its temporary
// directory handle back.
class FileLocksSimTest : public QObject
{
    Q_OBJECT
private slots:
    void clearsTheStationsOwnLock_data() { TransportClient::addTransports(); }
    void clearsTheStationsOwnLock();
    void anotherStationsLockStays_data() { TransportClient::addTransports(); }
    void anotherStationsLockStays();

private:
    static int freeDirHandles(nw::NetWareClient& client);
};

int FileLocksSimTest::freeDirHandles(nw::NetWareClient& client)
{
    std::array<char, 48> server{}, volume{};
    std::array<char, 255> path{};
    nw::NWCONN_HANDLE conn = 0;
    if (client.NWParsePath("F:\\REPORTS", server, conn, volume, path) != nw::kSuccess)
        return -1;
    QList<nw::NWDIR_HANDLE> taken;
    nw::NWDIR_HANDLE handle = 0;
    std::uint8_t rights = 0;
    while (taken.size() < 1000 && client.NWAllocTemporaryDirectoryHandle(
                                      conn, 0, "DATA:REPORTS", handle, rights) == nw::kSuccess)
        taken << handle;
    for (nw::NWDIR_HANDLE h : taken)
        client.NWDeallocateDirectoryHandle(conn, h);
    return int(taken.size());
}

void FileLocksSimTest::clearsTheStationsOwnLock()
{
    SimServerBuilder b;
    b.file(QStringLiteral("DATA:REPORTS\\Q1.XLS"))
        .connection(1, QStringLiteral("ADMIN"))
        .opens(1, QStringLiteral("DATA:REPORTS\\Q1.XLS"), 1, 0, 3, 1);
    QFETCH(Transport, transport);
    TransportClient server(b, transport);
    QVERIFY2(server.ready(), qPrintable(server.error()));
    nw::NetWareClient* client = &server.client();
    UserListFixture f(client);
    f.fillNames({"ADMIN"});
    f.form->connections[0].locked = 1;
    QVERIFY(f.showDirectory(QStringLiteral("F:\\REPORTS")));
    f.form->List3->addItem(QStringLiteral("Q1.XLS"));
    f.form->List3->setCurrentRow(0);
    const int freeBefore = freeDirHandles(*client);
    QVERIFY(freeBefore > 0);

    for (int use = 0; use < 3; ++use) {
        f.fakes.prompts.queueAnswer(Answer::Yes);
        f.form->locks().Command11_Click();
    }

    // The first use clears the lock; the station then holds none, which the
    // server reports as a lock error.
    QCOMPARE(f.form->Text2->text(), QStringLiteral("Unable to clear file lock - lock error."));
    const auto state = server.state();
    QCOMPARE(int(state->connection(1)->open.at(0).locked), 0);
    QCOMPARE(freeDirHandles(*client), freeBefore);
}

void FileLocksSimTest::anotherStationsLockStays()
{
    SimServerBuilder b;
    b.user(QStringLiteral("JSMITH"))
        .file(QStringLiteral("DATA:REPORTS\\Q1.XLS"))
        .connection(1, QStringLiteral("ADMIN"))
        .connection(5, QStringLiteral("JSMITH"))
        .opens(5, QStringLiteral("DATA:REPORTS\\Q1.XLS"), 1, 0, 3, 1);
    QFETCH(Transport, transport);
    TransportClient server(b, transport);
    QVERIFY2(server.ready(), qPrintable(server.error()));
    nw::NetWareClient* client = &server.client();
    UserListFixture f(client);
    f.fillNames({"JSMITH"});
    f.form->connections[0].locked = 1;
    QVERIFY(f.showDirectory(QStringLiteral("F:\\REPORTS")));
    f.form->List3->addItem(QStringLiteral("Q1.XLS"));
    f.form->List3->setCurrentRow(0);
    const int freeBefore = freeDirHandles(*client);
    f.fakes.prompts.queueAnswer(Answer::Yes);

    f.form->locks().Command11_Click();

    QCOMPARE(f.form->Text2->text(), QStringLiteral("Unable to clear file lock - lock error."));
    const auto state = server.state();
    QCOMPARE(int(state->connection(5)->open.at(0).locked), 1);
    QCOMPARE(freeDirHandles(*client), freeBefore);
}

QTEST_MAIN(FileLocksSimTest)
#include "file_locks_sim_test.moc"
