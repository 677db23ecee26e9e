// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/headless_prompts.h"
#include "support/scripted_prompts.h"

#include <QBuffer>
#include <QtTest>

using namespace quorvex;

class PromptsTest : public QObject
{
    Q_OBJECT

private slots:
    void headlessAnswersTheDefault_data();
    void headlessAnswersTheDefault();
    void headlessInputAndNotification();
    void scriptedRecordsInOrder();
    void scriptedNotificationsAreFoundByTitle();
};

void PromptsTest::headlessAnswersTheDefault_data()
{
    QTest::addColumn<MsgButtons>("buttons");
    QTest::addColumn<Answer>("requested");
    QTest::addColumn<Answer>("answered");
    QTest::newRow("ok") << MsgButtons::Ok << Answer::Ok << Answer::Ok;
    QTest::newRow("ok/cancel, cancel") << MsgButtons::OkCancel << Answer::Cancel << Answer::Cancel;
    QTest::newRow("yes/no, no") << MsgButtons::YesNo << Answer::No << Answer::No;
    QTest::newRow("yes/no/cancel, cancel")
        << MsgButtons::YesNoCancel << Answer::Cancel << Answer::Cancel;
    // A default the box does not show falls back to its first button.
    QTest::newRow("yes/no, ok asked") << MsgButtons::YesNo << Answer::Ok << Answer::Yes;
    QTest::newRow("ok, no asked") << MsgButtons::Ok << Answer::No << Answer::Ok;
}

void PromptsTest::headlessAnswersTheDefault()
{
    QFETCH(MsgButtons, buttons);
    QFETCH(Answer, requested);
    QFETCH(Answer, answered);
    QBuffer err;
    QVERIFY(err.open(QIODevice::WriteOnly));
    HeadlessPrompts prompts(&err);
    QCOMPARE(prompts.messageBox("Are you sure?\r\nReally.", "Quorvex", MsgIcon::Question, buttons,
                                requested),
             answered);
    QCOMPARE(err.data(), QByteArray("Are you sure?\nReally.\n"));
}

void PromptsTest::headlessInputAndNotification()
{
    QBuffer err;
    QVERIFY(err.open(QIODevice::WriteOnly));
    HeadlessPrompts prompts(&err);
    QCOMPARE(prompts.inputBox("Message:", "Quorvex", "hello"), std::nullopt);
    QCOMPARE(prompts.passwordBox("Password for BOB on FS2:", "Quorvex"), std::nullopt);
    prompts.beep();
    prompts.showNotification("BOB opened file Q1.XLS.", "Quorvex Notification Message",
                             MsgIcon::Exclamation);
    QVERIFY(!prompts.raiseWindowTitled("Quorvex Notification"));
    QCOMPARE(err.data(), QByteArray("BOB opened file Q1.XLS.\n"));
}

void PromptsTest::scriptedRecordsInOrder()
{
    ScriptedPrompts prompts;
    prompts.queueAnswer(Answer::Yes);
    prompts.queueInput(QString("typed"));
    prompts.queuePassword(QString("s3cret"));
    prompts.beep();
    QCOMPARE(prompts.messageBox("Clear?", "Quorvex", MsgIcon::Exclamation, MsgButtons::YesNo,
                                Answer::No),
             Answer::Yes);
    QCOMPARE(prompts.inputBox("Message:", "Send", "hi"), std::optional<QString>("typed"));
    QCOMPARE(prompts.passwordBox("Password:", "Login"), std::optional<QString>("s3cret"));
    QVERIFY(prompts.allScripted());
    // Unscripted: the default button, and Cancel for the input box.
    QCOMPARE(prompts.messageBox("Again?", "Quorvex", MsgIcon::Question, MsgButtons::YesNoCancel,
                                Answer::No),
             Answer::No);
    QCOMPARE(prompts.inputBox("Message:", "Send", "hi"), std::nullopt);
    QCOMPARE(prompts.passwordBox("Password:", "Login"), std::nullopt);
    QVERIFY(!prompts.allScripted());
    QCOMPARE(prompts.beepCount(), 1);
    QCOMPARE(prompts.transcript(), (QStringList{
                                       "beep",
                                       "messageBox[Exclamation,YesNo,No] Quorvex: Clear?",
                                       "inputBox Send: Message:",
                                       "passwordBox Login: Password:",
                                       "messageBox[Question,YesNoCancel,No] Quorvex: Again?",
                                       "inputBox Send: Message:",
                                       "passwordBox Login: Password:",
                                   }));
    QCOMPARE(prompts.calls(ScriptedPrompts::Kind::InputBox).front().defaultText, "hi");
}

void PromptsTest::scriptedNotificationsAreFoundByTitle()
{
    ScriptedPrompts prompts;
    QVERIFY(!prompts.raiseWindowTitled("Quorvex Notification Message"));
    prompts.showNotification("BOB opened file", "Quorvex Notification Message",
                             MsgIcon::Exclamation);
    QVERIFY(prompts.raiseWindowTitled("Quorvex Notification"));
    QVERIFY(!prompts.raiseWindowTitled("Quorvex Notification Message and more"));
    QCOMPARE(prompts.openNotifications().size(), 1);
    QCOMPARE(prompts.openNotifications().front().raiseCount, 1);
    prompts.closeNotification(prompts.openNotifications().front().id);
    QVERIFY(!prompts.raiseWindowTitled("Quorvex Notification"));
    QCOMPARE(prompts.transcript().last(), "raise Quorvex Notification -> false");
}

QTEST_GUILESS_MAIN(PromptsTest)
#include "prompts_test.moc"
