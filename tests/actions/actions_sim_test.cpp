// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/sim_server_builder.h"
#include "support/transport_client.h"
#include "support/user_list_fixture.h"

#include "actions/clear_connection.h"
#include "actions/send_message.h"
#include "actions/user_selection.h"
#include "app/message_pane.h"

#include <QJsonObject>
#include <QTest>

using namespace quorvex;

// Send and Clear against the simulated server, in process and over NCP.
class ActionsSimTest : public QObject
{
    Q_OBJECT
private slots:
    void messageReachesTheStationsThatTakeIt_data() { TransportClient::addTransports(); }
    void messageReachesTheStationsThatTakeIt();
    void clearedConnectionsLeaveTheServerButStayListed_data() { TransportClient::addTransports(); }
    void clearedConnectionsLeaveTheServerButStayListed();
};

namespace {

void buildServer(SimServerBuilder& b)
{
    b.user(QStringLiteral("JSMITH")).user(QStringLiteral("BOB"));
    b.file(QStringLiteral("DATA:REPORTS\\Q1.XLS"))
        .connection(1, QStringLiteral("ADMIN"))
        .connection(5, QStringLiteral("JSMITH"))
        .connection(6, QStringLiteral("BOB"))
        .opens(5, QStringLiteral("DATA:REPORTS\\Q1.XLS"))
        .opens(6, QStringLiteral("DATA:REPORTS\\Q1.XLS"));
}

void listUsers(UserListFixture& f, nw::NetWareClient& client)
{
    f.fillNames({"JSMITH", "BOB"});
    f.form->connections[0].connNo = 5;
    f.form->connections[1].connNo = 6;
    std::array<char, 48> server{}, volume{};
    std::array<char, 255> path{};
    QCOMPARE(
        client.NWParsePath("F:\\REPORTS\\Q1.XLS", server, f.form->serverConnection, volume, path),
        nw::kSuccess);
}

} // namespace

void ActionsSimTest::messageReachesTheStationsThatTakeIt()
{
    SimServerBuilder b;
    buildServer(b);
    b.acceptsMessages(6, false);
    QFETCH(Transport, transport);
    TransportClient server(b, transport);
    QVERIFY2(server.ready(), qPrintable(server.error()));
    nw::NetWareClient* client = &server.client();
    UserListFixture f(client);
    listUsers(f, *client);
    f.form->selection().Command14_Click();
    // An accent the single-byte text holds, and a character it cannot hold.
    f.fakes.prompts.queueInput(QString::fromUtf8("Please close Q1 ü €"));

    f.form->sendMessage().Command12_Click();

    QCOMPARE(
        f.form->Text2->text(),
        QStringLiteral("Message sent to user JSMITH.\r\nMessage could not be sent to user BOB. "
                       "You may not have the necessary rights to do this.\r\n"));
    const auto state = server.state();
    const QJsonArray received = state->connection(5)->messages;
    QCOMPARE(received.size(), 1);
    QCOMPARE(received.at(0).toObject().value(QLatin1String("text")).toString(),
             QString::fromUtf8("Please close Q1 ü ?"));
    QVERIFY(state->connection(6)->messages.isEmpty());
}

void ActionsSimTest::clearedConnectionsLeaveTheServerButStayListed()
{
    SimServerBuilder b;
    buildServer(b);
    QFETCH(Transport, transport);
    TransportClient server(b, transport);
    QVERIFY2(server.ready(), qPrintable(server.error()));
    nw::NetWareClient* client = &server.client();
    UserListFixture f(client);
    listUsers(f, *client);
    f.form->selection().Command14_Click();
    f.fakes.prompts.queueAnswer(Answer::Yes);

    f.form->clearConnection().Command13_Click();

    QCOMPARE(f.form->Text2->text(),
             QStringLiteral("Connection cleared for user JSMITH.\r\nConnection cleared for user "
                            "BOB.\r\nConnection successfully cleared for 2 users."));
    const auto state = server.state();
    QVERIFY(!state->connection(5));
    QVERIFY(!state->connection(6));
    QVERIFY(state->connection(1));
    QCOMPARE(f.form->List1->count(), 2);
    QCOMPARE(f.selectedLines(), (QList<int>{0, 1}));

    // A connection already gone is reported, not counted.
    QVERIFY(!ClearConnection(*client, f.form->serverConnection, 5));
}

QTEST_MAIN(ActionsSimTest)
#include "actions_sim_test.moc"
