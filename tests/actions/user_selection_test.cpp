// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/user_list_fixture.h"

#include "actions/user_selection.h"
#include "app/message_pane.h"

#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

using namespace quorvex;

class UserSelectionTest : public QObject
{
    Q_OBJECT
private slots:
    void clickTogglesAndShowsDetails();
    void detailValuesLineUp();
    void clickingTheOnlySelectedLineHidesTheButtons();
    void optionSwitchedOnAfterTheScan();
    void allReportsEveryLine();
    void noneReportsEveryLineEvenWithNothingSelected();
    void userCopiesTheClipboardForm();
    void selectionPhrase();
    void walkVisitsSelectedLinesWithRecordNumbers();
    void settingTheCurrentLineKeepsTheSelection();
};

namespace {

bool userButtonsVisible(const Form1& form)
{
    const bool send = form.Command12->isVisibleTo(&form);
    const bool clear = form.Command13->isVisibleTo(&form);
    const bool user = form.Command16->isVisibleTo(&form);
    if (send != clear || send != user)
        qWarning("Send, Clear and User disagree");
    return send && clear && user;
}

bool userButtonsHidden(const Form1& form)
{
    return !form.Command12->isVisibleTo(&form) && !form.Command13->isVisibleTo(&form) &&
           !form.Command16->isVisibleTo(&form);
}

} // namespace

void UserSelectionTest::clickTogglesAndShowsDetails()
{
    UserListFixture f;
    f.fillNames({"ANN", "BOB", "CAROL"});
    f.form->connections[1].fileName = QStringLiteral("B.DOC");
    f.form->settings.ConnNo = 1;
    QVERIFY(f.show());

    f.clickLine(1);
    QCOMPARE(f.selectedLines(), QList<int>{1});
    QCOMPARE(f.form->List1->currentRow(), 1);
    QCOMPARE(f.form->Text2->text(),
             QStringLiteral("File: \t\tB.DOC\r\nUser: \t\tBOB\r\nConnection No: \t2\r\n"));
    QVERIFY(userButtonsVisible(*f.form));

    f.clickLine(2);
    QCOMPARE(f.selectedLines(), (QList<int>{1, 2}));
    QVERIFY(f.form->Text2->text().contains(QStringLiteral("User: \t\tCAROL\r\n")));
}

void UserSelectionTest::detailValuesLineUp()
{
    // Every label, with its one or two tabs, brings its value to one column.
    UserListFixture f;
    f.fillNames({"ADMINISTRATOR"});
    ConnectionInfo& record = f.form->connections[0];
    record.fileRights = 1 | 2 | 8;
    record.dirRights = QStringLiteral("Read,Write");
    record.login = QStringLiteral("Sunday, 3/7/04, 09:15 am");
    record.address = QStringLiteral("IP:10.1.2.5");
    Settings& o = f.form->settings;
    o.ConnNo = o.TaskNo = o.Opened = o.FileRights = o.DirRights = o.Locked = o.Login = o.Address =
        1;
    QVERIFY(f.show());
    f.clickLine(0);

    QTextDocument* document = f.form->Text2->document();
    QCOMPARE(document->blockCount(), 10);
    QList<int> columns;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        QTextCursor cursor(block);
        cursor.setPosition(block.position() + int(block.text().lastIndexOf(QLatin1Char('\t'))) + 1);
        columns << f.form->Text2->cursorRect(cursor).x();
    }
    QVERIFY2(std::all_of(columns.begin(), columns.end(), [&](int x) { return x == columns[0]; }),
             qPrintable(QDebug::toString(columns)));
}

void UserSelectionTest::clickingTheOnlySelectedLineHidesTheButtons()
{
    UserListFixture f;
    f.fillNames({"ANN", "BOB"});
    QVERIFY(f.show());

    f.clickLine(0);
    QVERIFY(userButtonsVisible(*f.form));
    f.form->Text2->setText(QStringLiteral("something else"));

    f.clickLine(0);
    QVERIFY(f.selectedLines().isEmpty());
    QCOMPARE(f.form->Text2->text(), QStringLiteral("File: \t\tQ1.XLS\r\nUser: \t\tANN\r\n"));
    QVERIFY(userButtonsHidden(*f.form));
}

void UserSelectionTest::optionSwitchedOnAfterTheScan()
{
    UserListFixture f;
    f.fillNames({"ANN"});
    QVERIFY(f.show());
    f.clickLine(0);
    QCOMPARE(f.form->Text2->text(), QStringLiteral("File: \t\tQ1.XLS\r\nUser: \t\tANN\r\n"));

    f.form->settings.Login = 1; // as the Options window would, no new scan
    f.clickLine(0);
    QCOMPARE(f.form->Text2->text(),
             QStringLiteral("File: \t\tQ1.XLS\r\nUser: \t\tANN\r\nLogin: \t\t\r\n"));
}

void UserSelectionTest::allReportsEveryLine()
{
    UserListFixture f;
    f.fillNames({"ANN", "BOB", "CAROL"});
    QVERIFY(f.show());
    f.clickLine(1);

    QCOMPARE(f.selectedLines(), QList<int>{1});
    f.form->Command14->show(); // the scan shows "All" once it lists users
    QTest::mouseClick(f.form->Command14, Qt::LeftButton);
    QCOMPARE(f.selectedLines(), (QList<int>{0, 1, 2}));
    QCOMPARE(f.form->Text2->text(), QStringLiteral("3 users selected."));
    QVERIFY(userButtonsVisible(*f.form));

    UserListFixture one;
    one.fillNames({"ANN"});
    one.form->selection().Command14_Click();
    QCOMPARE(one.form->Text2->text(), QStringLiteral("1 users selected."));
}

void UserSelectionTest::noneReportsEveryLineEvenWithNothingSelected()
{
    UserListFixture f;
    f.fillNames({"ANN", "BOB", "CAROL"});
    QVERIFY(f.show());
    f.form->Command14->show();
    f.form->Command15->show();

    QTest::mouseClick(f.form->Command15, Qt::LeftButton);
    QVERIFY(f.selectedLines().isEmpty());
    QCOMPARE(f.form->Text2->text(), QStringLiteral("3 users de-selected."));
    QVERIFY(userButtonsHidden(*f.form));

    QTest::mouseClick(f.form->Command14, Qt::LeftButton);
    QVERIFY(userButtonsVisible(*f.form));
    QTest::mouseClick(f.form->Command15, Qt::LeftButton);
    QVERIFY(f.selectedLines().isEmpty());
    QVERIFY(userButtonsHidden(*f.form));
}

void UserSelectionTest::userCopiesTheClipboardForm()
{
    UserListFixture f;
    f.fillNames({"ANN", "JSMITH"});
    QVERIFY(f.show());
    f.clickLine(1);
    f.clickLine(1); // current, though no longer selected
    QVERIFY(f.selectedLines().isEmpty());

    f.form->Command16->show();
    QTest::mouseClick(f.form->Command16, Qt::LeftButton);
    const QString expected = QStringLiteral("File: Q1.XLS\r\nUser: JSMITH\r\n");
    QCOMPARE(f.fakes.clipboard.text(), expected);
    QCOMPARE(expected.size(), 28); // 12 + 2 + 12 + 2: each line break counts two
    QCOMPARE(f.form->Text2->text(), QStringLiteral("28 bytes copied to the clipboard."));

    f.form->settings.Address = 1;
    f.form->connections[1].address = QStringLiteral("IP:10.0.0.9");
    f.form->selection().Command16_Click();
    QCOMPARE(f.fakes.clipboard.text(),
             QStringLiteral("File: Q1.XLS\r\nUser: JSMITH\r\nAddress: IP:10.0.0.9"));
    QCOMPARE(f.form->Text2->text(), QStringLiteral("48 bytes copied to the clipboard."));
}

void UserSelectionTest::selectionPhrase()
{
    UserListFixture f;
    f.fillNames({"ANN", "BOB", "CAROL", "DAVE"});
    UserSelection& s = f.form->selection();
    QCOMPARE(s.selectionPhrase(), QStringLiteral("user "));
    f.select({2});
    QCOMPARE(s.selectionPhrase(), QStringLiteral("user CAROL"));
    f.select({3});
    QCOMPARE(s.selectionPhrase(), QStringLiteral("2 users"));
    f.select({0, 1});
    QCOMPARE(s.selectionPhrase(), QStringLiteral("4 users"));
    QCOMPARE(s.lineTarget(1), QStringLiteral("user BOB"));
}

void UserSelectionTest::walkVisitsSelectedLinesWithRecordNumbers()
{
    UserListFixture f;
    f.fillNames({"ANN", "BOB", "CAROL", "DAVE"});
    // Numbers come from the records, never from the text or the position.
    f.form->connections[1].connNo = 40;
    f.form->connections[3].connNo = -2;
    f.select({3, 1});

    QList<QPair<int, int>> visits;
    f.form->selection().forEachSelected([&](int line, std::int16_t connNo) {
        visits.append({line, connNo});
    });
    QCOMPARE(visits, (QList<QPair<int, int>>{{1, 40}, {3, -2}}));

    f.form->List1->clearSelection();
    f.select({2});
    visits.clear();
    f.form->selection().forEachSelected([&](int line, std::int16_t connNo) {
        visits.append({line, connNo});
    });
    QCOMPARE(visits, (QList<QPair<int, int>>{{2, 3}}));
}

void UserSelectionTest::settingTheCurrentLineKeepsTheSelection()
{
    UserListFixture f;
    f.fillNames({"ANN", "BOB", "CAROL"});
    f.select({0});
    f.form->selection().setCurrentLine(2);
    QCOMPARE(f.form->List1->currentRow(), 2);
    QCOMPARE(f.selectedLines(), QList<int>{0});
    QCOMPARE(f.form->Text2->text(), QStringLiteral("File: \t\tQ1.XLS\r\nUser: \t\tCAROL\r\n"));
    QVERIFY(userButtonsVisible(*f.form));
}

QTEST_MAIN(UserSelectionTest)
#include "user_selection_test.moc"
