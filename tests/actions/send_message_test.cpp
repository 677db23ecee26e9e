// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/user_list_fixture.h"

#include "actions/send_message.h"
#include "app/message_pane.h"

#include <QPushButton>
#include <QTest>

using namespace quorvex;

class SendMessageTest : public QObject
{
    Q_OBJECT
private slots:
    void oneUser();
    void threeUsersGetATotalLine();
    void oneFailureAmongTwoGivesNoTotal();
    void cancelSendsNothingAndForgetsTheMessage();
    void previousMessageIsOfferedAgain();
    void messageBufferIsSingleByteAndNulTerminated();
};

void SendMessageTest::oneUser()
{
    UserListFixture f;
    f.fillNames({"ANN", "JSMITH"});
    f.form->connections[1].connNo = 9;
    f.form->serverConnection = 77;
    f.select({1});
    f.form->Text2->setText(QStringLiteral("old text"));
    f.fakes.prompts.queueInput(QStringLiteral("Please save your work"));

    f.form->Command12->show();
    QTest::mouseClick(f.form->Command12, Qt::LeftButton);

    const auto inputs = f.fakes.prompts.calls(ScriptedPrompts::Kind::InputBox);
    QCOMPARE(inputs.size(), 1);
    QCOMPARE(inputs[0].text, QStringLiteral("Enter Message to send to user JSMITH"));
    QCOMPARE(inputs[0].title, QStringLiteral("Quorvex - Send Message"));
    QCOMPARE(inputs[0].defaultText, QString());
    QCOMPARE(f.client.calls, QStringList{"NWSendBroadcastMessage conn=77 count=1 number=9"});
    QCOMPARE(f.form->Text2->text(), QStringLiteral("Message sent to user JSMITH.\r\n"));
    QCOMPARE(f.form->LastMessage, QStringLiteral("Please save your work"));
}

void SendMessageTest::threeUsersGetATotalLine()
{
    UserListFixture f;
    f.fillNames({"ANN", "BOB", "CAROL", "DAVE"});
    f.select({0, 2, 3});
    f.fakes.prompts.queueInput(QStringLiteral("Server going down"));

    f.form->sendMessage().Command12_Click();

    QCOMPARE(f.fakes.prompts.calls(ScriptedPrompts::Kind::InputBox)[0].text,
             QStringLiteral("Enter Message to send to 3 users"));
    QCOMPARE(f.client.messageTargets, (QList<std::uint32_t>{1, 3, 4}));
    QCOMPARE(f.form->Text2->text(),
             QStringLiteral("Message sent to user ANN.\r\nMessage sent to user CAROL.\r\n"
                            "Message sent to user DAVE.\r\nMessage successfully sent to 3 users."));
}

void SendMessageTest::oneFailureAmongTwoGivesNoTotal()
{
    UserListFixture f;
    f.fillNames({"ANN", "BOB"});
    f.select({0, 1});
    f.client.failingConnections.insert(1);
    f.fakes.prompts.queueInput(QStringLiteral("hi"));

    f.form->sendMessage().Command12_Click();

    QCOMPARE(f.form->Text2->text(),
             QStringLiteral("Message could not be sent to user ANN. You may not have the "
                            "necessary rights to do this.\r\nMessage sent to user BOB.\r\n"));
}

void SendMessageTest::cancelSendsNothingAndForgetsTheMessage()
{
    UserListFixture f;
    f.fillNames({"ANN"});
    f.select({0});
    f.form->LastMessage = QStringLiteral("earlier");
    f.form->Text2->setText(QStringLiteral("details of ANN"));
    f.fakes.prompts.queueInput(std::nullopt);
    f.fakes.prompts.queueInput(QString()); // OK on an emptied field

    f.form->sendMessage().Command12_Click();
    QCOMPARE(f.fakes.prompts.calls(ScriptedPrompts::Kind::InputBox)[0].defaultText,
             QStringLiteral("earlier"));
    QVERIFY(f.client.calls.isEmpty());
    QCOMPARE(f.form->Text2->text(), QStringLiteral("details of ANN"));
    QCOMPARE(f.form->LastMessage, QString());

    f.form->sendMessage().Command12_Click();
    QCOMPARE(f.fakes.prompts.calls(ScriptedPrompts::Kind::InputBox)[1].defaultText, QString());
    QVERIFY(f.client.calls.isEmpty());
    QCOMPARE(f.form->Text2->text(), QStringLiteral("details of ANN"));
}

void SendMessageTest::previousMessageIsOfferedAgain()
{
    UserListFixture f;
    f.fillNames({"ANN"});
    f.select({0});
    f.fakes.prompts.queueInput(QStringLiteral("first"));
    f.fakes.prompts.queueInput(QStringLiteral("second"));

    f.form->sendMessage().Command12_Click();
    f.form->sendMessage().Command12_Click();

    const auto inputs = f.fakes.prompts.calls(ScriptedPrompts::Kind::InputBox);
    QCOMPARE(inputs[1].defaultText, QStringLiteral("first"));
    QCOMPARE(f.form->LastMessage, QStringLiteral("second"));
    QCOMPARE(f.client.messages.size(), 2);
}

void SendMessageTest::messageBufferIsSingleByteAndNulTerminated()
{
    ScriptedClient client;
    // 65534 is kept as -2 in a 16-bit signed record; the cell must not be sign-extended.
    QVERIFY(SendMessageToConnection(client, -2, QString::fromUtf8("Grüße, € 5  "), 3));
    QCOMPARE(client.messages.first(), QByteArray("Gr\xFC\xDF\x65, ? 5  \0\0", 14));
    QCOMPARE(client.messageTargets.first(), 65534u);

    client.codes[QStringLiteral("NWSendBroadcastMessage")] = nw::kNoSuchObject;
    QVERIFY(!SendMessageToConnection(client, 4, QStringLiteral("x"), 3));
}

QTEST_MAIN(SendMessageTest)
#include "send_message_test.moc"
