// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileinfo/scripted_file_info_client.h"
#include "support/test_services.h"

#include "app/form1.h"
#include "app/keys_and_find.h"
#include "app/message_pane.h"

#include <QtTest>

using namespace quorvex;

class KeysAndFindTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void functionKeys_data();
    void functionKeys();
    void helpThatFailsShowsNothing();
    void escapeEndsFromAnyControl_data();
    void escapeEndsFromAnyControl();
    void findJumpsToTheUser();
    void findWithoutMatchEmptiesThePane();
    void deletingTheTextChangesNothingElse();
    void clearEmptiesTheBoxAndFocusesIt();

private:
    QWidget* control(const QString& name) const;
    void showUsers(const QStringList& users);

    std::unique_ptr<TestServices> t_;
    std::optional<Services> services_; // the bundle handed to the windows, kept alive
    std::unique_ptr<test::ScriptedFileInfoClient> client_;
    std::unique_ptr<Form1> form_;
};

void KeysAndFindTest::init()
{
    t_ = std::make_unique<TestServices>();
    services_.emplace(t_->services());
    client_ = std::make_unique<test::ScriptedFileInfoClient>();
    form_ = std::make_unique<Form1>(*services_, *client_);
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
}

void KeysAndFindTest::cleanup()
{
    form_.reset();
    client_.reset();
    services_.reset();
    t_.reset();
}

QWidget* KeysAndFindTest::control(const QString& name) const
{
    if (name == QLatin1String("Form1"))
        return form_.get();
    auto* widget = form_->findChild<QWidget*>(name);
    // An editable combo box takes its keys in its line edit.
    if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->lineEdit())
        return combo->lineEdit();
    return widget;
}

void KeysAndFindTest::showUsers(const QStringList& users)
{
    form_->List1->addItems(users);
    for (QWidget* w : std::initializer_list<QWidget*>{form_->Command12, form_->Command13,
                                                      form_->Command16, form_->Text1})
        w->setVisible(true);
}

void KeysAndFindTest::functionKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("acts");
    QTest::newRow("F1") << int(Qt::Key_F1) << int(Qt::NoModifier) << "List1" << true;
    QTest::newRow("F1 in the find box")
        << int(Qt::Key_F1) << int(Qt::NoModifier) << "Text1" << true;
    QTest::newRow("Shift+F1") << int(Qt::Key_F1) << int(Qt::ShiftModifier) << "List1" << false;
    QTest::newRow("Ctrl+F1") << int(Qt::Key_F1) << int(Qt::ControlModifier) << "Form1" << false;
    QTest::newRow("Alt+F1") << int(Qt::Key_F1) << int(Qt::AltModifier) << "Text2" << false;
    QTest::newRow("F5") << int(Qt::Key_F5) << int(Qt::NoModifier) << "Text2" << true;
    QTest::newRow("F5 in the pattern box")
        << int(Qt::Key_F5) << int(Qt::NoModifier) << "Combo2" << true;
    QTest::newRow("F5 on the window") << int(Qt::Key_F5) << int(Qt::NoModifier) << "Form1" << true;
    QTest::newRow("Shift+F5") << int(Qt::Key_F5) << int(Qt::ShiftModifier) << "List3" << false;
    QTest::newRow("Ctrl+F5") << int(Qt::Key_F5) << int(Qt::ControlModifier) << "List1" << false;
    QTest::newRow("Alt+F5") << int(Qt::Key_F5) << int(Qt::AltModifier) << "Text1" << false;
    QTest::newRow("keypad F5") << int(Qt::Key_F5) << int(Qt::KeypadModifier) << "List1" << true;
}

void KeysAndFindTest::functionKeys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, target);
    QFETCH(bool, acts);
    form_->Text2->setText(QStringLiteral("before"));

    QTest::keyClick(control(target), Qt::Key(key), Qt::KeyboardModifiers(modifiers));

    const bool f1 = key == Qt::Key_F1;
    QCOMPARE(t_->shell.calls.size(), f1 && acts ? 1 : 0);
    if (f1 && acts) {
        QCOMPARE(t_->shell.calls[0].what, QStringLiteral("openDocument"));
        QCOMPARE(t_->shell.calls[0].program, t_->dirs.programDir() + QStringLiteral("/faq.fil"));
    }
    QCOMPARE(form_->Text2->text(),
             !f1 && acts ? QStringLiteral("Files refreshed.") : QStringLiteral("before"));
    QVERIFY(form_->isVisible());
}

void KeysAndFindTest::helpThatFailsShowsNothing()
{
    t_->shell.openResult = false;
    QTest::keyClick(form_->List1, Qt::Key_F1);
    QCOMPARE(t_->shell.calls.size(), 1);
    QVERIFY(t_->prompts.calls().isEmpty());
    QVERIFY(form_->isVisible());
}

void KeysAndFindTest::escapeEndsFromAnyControl_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("modifiers");
    for (const char* name : {"Form1", "List1", "List3", "Text1", "Text2", "Combo1", "Combo2",
                             "Dir1", "Drive1", "Command2"})
        QTest::newRow(name) << QString::fromLatin1(name) << int(Qt::NoModifier);
    QTest::newRow("with Shift") << "List1" << int(Qt::ShiftModifier);
}

void KeysAndFindTest::escapeEndsFromAnyControl()
{
    QFETCH(QString, target);
    QFETCH(int, modifiers);
    QWidget* widget = control(target);
    QVERIFY(widget);

    form_->Text3->setText(QStringLiteral("42"));
    QTest::keyClick(widget, Qt::Key_Escape, Qt::KeyboardModifiers(modifiers));

    QVERIFY(!form_->isVisible());
    // Ending is an unload like any other: the settings are on disk.
    QFile ini(t_->dirs.settingsFile());
    QVERIFY(ini.open(QIODevice::ReadOnly));
    const QByteArray written = ini.readAll();
    QVERIFY2(written.contains("[Options]") && written.contains("\nSeconds=42\n"),
             written.constData());
}

void KeysAndFindTest::findJumpsToTheUser()
{
    showUsers({"ADMIN", "JSMITH", "JSMYTHE", "BOB"});
    QList<QStringList> selections;
    connect(form_->List1, &QListWidget::itemSelectionChanged, [&] {
        QStringList selected;
        for (QListWidgetItem* item : form_->List1->selectedItems())
            selected << item->text();
        selections << selected;
    });
    QElapsedTimer clock;
    clock.start();

    QTest::keyClicks(form_->Text1, QStringLiteral("jsmy"));

    // Each keystroke finds the first line that begins with the text, upper or
    // lower case, flashes it once and leaves it current but not selected.
    QCOMPARE(form_->List1->currentRow(), 2);
    QVERIFY(form_->List1->selectedItems().isEmpty());
    QCOMPARE(selections,
             (QList<QStringList>{{"JSMITH"}, {}, {"JSMITH"}, {}, {"JSMITH"}, {}, {"JSMYTHE"}, {}}));
    QVERIFY(clock.elapsed() >= 4 * KeysAndFind::kFlashMs);
    QVERIFY(form_->Command12->isHidden());
    QVERIFY(form_->Command13->isHidden());
    QVERIFY(form_->Command16->isHidden());
}

void KeysAndFindTest::findWithoutMatchEmptiesThePane()
{
    showUsers({"ADMIN", "JSMITH"});
    form_->List1->setCurrentRow(1);
    form_->Text2->setText(QStringLiteral("details of JSMITH"));

    QTest::keyClicks(form_->Text1, QStringLiteral("x"));

    QCOMPARE(form_->List1->currentRow(), -1);
    QVERIFY(form_->Text2->text().isEmpty());
    QVERIFY(form_->Command12->isHidden());
    QVERIFY(form_->Command13->isHidden());
    QVERIFY(form_->Command16->isHidden());
}

void KeysAndFindTest::deletingTheTextChangesNothingElse()
{
    showUsers({"ADMIN", "JSMITH"});
    QTest::keyClicks(form_->Text1, QStringLiteral("a"));
    form_->List1->item(1)->setSelected(true);
    form_->Text2->setText(QStringLiteral("pane text"));
    showUsers({});

    QTest::keyClick(form_->Text1, Qt::Key_Backspace);

    QVERIFY(form_->Text1->text().isEmpty());
    QCOMPARE(form_->Text2->text(), QStringLiteral("pane text"));
    QCOMPARE(form_->List1->currentRow(), 0);
    QCOMPARE(form_->List1->selectedItems().size(), 1);
    QVERIFY(form_->Command12->isHidden());
    QVERIFY(form_->Command13->isHidden());
    QVERIFY(form_->Command16->isHidden());
}

void KeysAndFindTest::clearEmptiesTheBoxAndFocusesIt()
{
    showUsers({"ADMIN"});
    form_->Command6->setVisible(true);
    QTest::keyClicks(form_->Text1, QStringLiteral("ad"));
    form_->List1->setFocus();
    form_->Text2->setText(QStringLiteral("pane text"));
    showUsers({});

    QTest::mouseClick(form_->Command6, Qt::LeftButton);

    QVERIFY(form_->Text1->text().isEmpty());
    QTRY_VERIFY(form_->Text1->hasFocus());
    QCOMPARE(form_->Text2->text(), QStringLiteral("pane text"));
    QVERIFY(form_->Command12->isHidden());
}

QTEST_MAIN(KeysAndFindTest)
#include "keys_and_find_test.moc"
