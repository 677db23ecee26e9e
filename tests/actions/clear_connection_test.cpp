// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/user_list_fixture.h"

#include "actions/clear_connection.h"
#include "actions/user_selection.h"
#include "app/message_pane.h"

#include <QPushButton>
#include <QTest>

using namespace quorvex;

class ClearConnectionTest : public QObject
{
    Q_OBJECT
private slots:
    void askingWithNoAsDefault();
    void noChangesNothing();
    void fourUsersCleared();
    void oneSuccessAmongFailuresGivesNoTotal();
    void noClearPromptSkipsTheQuestion();
    void clearConnectionCall();
};

void ClearConnectionTest::askingWithNoAsDefault()
{
    UserListFixture f;
    f.fillNames({"ANN", "JSMITH"});
    f.form->connections[1].connNo = 5;
    f.form->serverConnection = 21;
    f.select({1});
    f.fakes.prompts.queueAnswer(Answer::Yes);

    f.form->Command13->show();
    QTest::mouseClick(f.form->Command13, Qt::LeftButton);

    QCOMPARE(f.fakes.prompts.transcript(),
             QStringList{"messageBox[Question,YesNo,No] Quorvex: Are you sure you want to clear "
                         "the connection for user JSMITH?"});
    QCOMPARE(f.client.calls, QStringList{"NWClearConnectionNumber conn=21 number=5"});
    QCOMPARE(f.form->Text2->text(), QStringLiteral("Connection cleared for user JSMITH.\r\n"));
}

void ClearConnectionTest::noChangesNothing()
{
    UserListFixture f;
    f.fillNames({"ANN", "BOB"});
    f.select({0, 1});
    f.form->Text2->setText(QStringLiteral("as it was"));
    f.fakes.prompts.queueAnswer(Answer::No);

    f.form->clearConnection().Command13_Click();

    QCOMPARE(f.fakes.prompts.calls(ScriptedPrompts::Kind::MessageBox)[0].text,
             QStringLiteral("Are you sure you want to clear the connection for 2 users?"));
    QVERIFY(f.client.calls.isEmpty());
    QCOMPARE(f.form->Text2->text(), QStringLiteral("as it was"));
    QCOMPARE(f.selectedLines(), (QList<int>{0, 1}));
}

void ClearConnectionTest::fourUsersCleared()
{
    UserListFixture f;
    f.fillNames({"ANN", "BOB", "CAROL", "DAVE", "EVE"});
    f.select({0, 1, 3, 4});
    f.fakes.prompts.queueAnswer(Answer::Yes);

    f.form->clearConnection().Command13_Click();

    QCOMPARE(f.fakes.prompts.calls(ScriptedPrompts::Kind::MessageBox)[0].text,
             QStringLiteral("Are you sure you want to clear the connection for 4 users?"));
    QCOMPARE(f.client.clearedConnections, (QList<std::uint16_t>{1, 2, 4, 5}));
    QCOMPARE(f.form->Text2->text(),
             QStringLiteral("Connection cleared for user ANN.\r\nConnection cleared for user BOB."
                            "\r\nConnection cleared for user DAVE.\r\nConnection cleared for user "
                            "EVE.\r\nConnection successfully cleared for 4 users."));
    // No rescan: the cleared users stay listed and selected until the next scan.
    QCOMPARE(f.form->List1->count(), 5);
    QCOMPARE(f.form->connections.size(), 5);
    QCOMPARE(f.selectedLines(), (QList<int>{0, 1, 3, 4}));
}

void ClearConnectionTest::oneSuccessAmongFailuresGivesNoTotal()
{
    UserListFixture f;
    f.fillNames({"ANN", "BOB", "CAROL"});
    f.select({0, 1, 2});
    f.client.failingConnections = {1, 3};
    f.fakes.prompts.queueAnswer(Answer::Yes);

    f.form->clearConnection().Command13_Click();

    const QString denied =
        QStringLiteral(". You may not have the necessary rights to do this.\r\n");
    QCOMPARE(f.form->Text2->text(),
             QStringLiteral("Connection could not be cleared for user ANN") + denied +
                 QStringLiteral("Connection cleared for user BOB.\r\n") +
                 QStringLiteral("Connection could not be cleared for user CAROL") + denied);
    QCOMPARE(f.fakes.prompts.beepCount(), 0);
}

void ClearConnectionTest::noClearPromptSkipsTheQuestion()
{
    UserListFixture f;
    f.fillNames({"ANN", "BOB"});
    f.form->NoClearPrompt = true;
    f.form->selection().Command14_Click();

    f.form->clearConnection().Command13_Click();

    QVERIFY(f.fakes.prompts.calls().isEmpty());
    QCOMPARE(f.client.clearedConnections, (QList<std::uint16_t>{1, 2}));
    QVERIFY(f.form->Text2->text().endsWith(
        QStringLiteral("Connection successfully cleared for 2 users.")));
}

void ClearConnectionTest::clearConnectionCall()
{
    ScriptedClient client;
    QVERIFY(ClearConnection(client, 4, -1));
    QCOMPARE(client.calls, QStringList{"NWClearConnectionNumber conn=4 number=65535"});
    client.codes[QStringLiteral("NWClearConnectionNumber")] = nw::kNoConsoleRights;
    QVERIFY(!ClearConnection(client, 4, 3));
}

QTEST_MAIN(ClearConnectionTest)
#include "clear_connection_test.moc"
