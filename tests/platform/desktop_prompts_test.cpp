// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop_prompts.h"

#include <QAbstractButton>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QtTest>

using namespace quorvex;

class DesktopPromptsTest : public QObject
{
    Q_OBJECT

private slots:
    void enterAnswersTheDefaultButton_data();
    void enterAnswersTheDefaultButton();
    void notificationStaysUpWithoutBlocking();
    void passwordBoxIsMasked_data();
    void passwordBoxIsMasked();
};

void DesktopPromptsTest::enterAnswersTheDefaultButton_data()
{
    QTest::addColumn<MsgButtons>("buttons");
    QTest::addColumn<Answer>("requested");
    QTest::addColumn<int>("key");
    QTest::addColumn<Answer>("answered");
    QTest::newRow("yes/no, default no")
        << MsgButtons::YesNo << Answer::No << int(Qt::Key_Return) << Answer::No;
    QTest::newRow("yes/no, default yes")
        << MsgButtons::YesNo << Answer::Yes << int(Qt::Key_Return) << Answer::Yes;
    QTest::newRow("ok/cancel, default cancel")
        << MsgButtons::OkCancel << Answer::Cancel << int(Qt::Key_Return) << Answer::Cancel;
    QTest::newRow("yes/no/cancel, escape")
        << MsgButtons::YesNoCancel << Answer::Yes << int(Qt::Key_Escape) << Answer::Cancel;
    QTest::newRow("yes/no, escape keeps the default")
        << MsgButtons::YesNo << Answer::No << int(Qt::Key_Escape) << Answer::No;
}

void DesktopPromptsTest::enterAnswersTheDefaultButton()
{
    QFETCH(MsgButtons, buttons);
    QFETCH(Answer, requested);
    QFETCH(int, key);
    QFETCH(Answer, answered);
    QString seenText;
    QTimer::singleShot(0, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seenText = box->text();
        QTest::keyClick(box, Qt::Key(key));
    });
    DesktopPrompts prompts;
    QCOMPARE(prompts.messageBox("Clear the connection?", "Quorvex", MsgIcon::Exclamation, buttons,
                                requested),
             answered);
    QCOMPARE(seenText, "Clear the connection?");
}

void DesktopPromptsTest::notificationStaysUpWithoutBlocking()
{
    DesktopPrompts prompts;
    QVERIFY(!prompts.raiseWindowTitled("Quorvex Notification Message"));
    prompts.showNotification("BOB opened file Q1.XLS.", "Quorvex Notification Message",
                             MsgIcon::Exclamation);
    QPointer<QMessageBox> box;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->windowTitle() == "Quorvex Notification Message")
            box = qobject_cast<QMessageBox*>(w);
    }
    QVERIFY(box);
    QVERIFY(box->isVisible());
    QVERIFY(!box->isModal());
    QVERIFY(box->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(box->text(), "BOB opened file Q1.XLS.");
    QVERIFY(prompts.raiseWindowTitled("Quorvex Notification"));
    QVERIFY(!prompts.raiseWindowTitled("Quorvex Notification Message 2"));

    box->button(QMessageBox::Ok)->click();
    QTRY_VERIFY(box.isNull()); // closed and deleted
    QVERIFY(!prompts.raiseWindowTitled("Quorvex Notification"));
}

void DesktopPromptsTest::passwordBoxIsMasked_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<std::optional<QString>>("answered");
    QTest::newRow("enter") << int(Qt::Key_Return) << std::optional<QString>("s3cret");
    QTest::newRow("escape") << int(Qt::Key_Escape) << std::optional<QString>();
}

void DesktopPromptsTest::passwordBoxIsMasked()
{
    QFETCH(int, key);
    QFETCH(std::optional<QString>, answered);
    int echoMode = -1;
    QString label;
    QString startText = "unset";
    QTimer::singleShot(0, this, [&] {
        auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        auto* edit = dialog ? dialog->findChild<QLineEdit*>() : nullptr;
        if (!edit)
            return;
        echoMode = int(edit->echoMode());
        label = dialog->labelText();
        startText = edit->text();
        QTest::keyClicks(edit, "s3cret");
        QTest::keyClick(edit, Qt::Key(key));
    });
    DesktopPrompts prompts;
    QCOMPARE(prompts.passwordBox("Password for BOB on FS2:", "Quorvex"), answered);
    QCOMPARE(echoMode, int(QLineEdit::Password));
    QCOMPARE(label, "Password for BOB on FS2:");
    QCOMPARE(startText, QString());
}

QTEST_MAIN(DesktopPromptsTest)
#include "desktop_prompts_test.moc"
