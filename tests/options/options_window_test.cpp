// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/form1.h"
#include "files/directory_box.h"
#include "files/drive_box.h"
#include "options/options_window.h"
#include "platform/services.h"
#include "platform/window_mover.h"
#include "support/recording_netware_client.h"
#include "support/test_services.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

using namespace quorvex;

namespace {

struct OptionsFixture
{
    OptionsFixture() : services(fakes.services()), form(services, client)
    {
        fakes.mapDrive('F', QStringLiteral("fixed:") + fakes.path(QStringLiteral("f")));
        fakes.createFile(QStringLiteral("f/PREP/b.doc"));
        fakes.createFile(QStringLiteral("f/PREP/A.txt"));
        fakes.createFile(QStringLiteral("f/PREP/.hidden"));
        QDir().mkpath(fakes.path(QStringLiteral("f/PREP/sub")));
        form.settings.FDrive = QStringLiteral("f:");
        form.settings.FDir = QStringLiteral("F:\\PREP");
    }

    QStringList listed(const Options& options) const
    {
        QStringList names;
        for (int i = 0; i < options.List1->count(); ++i)
            names.append(options.List1->item(i)->text());
        return names;
    }

    TestServices fakes;
    RecordingNetWareClient client;
    Services services;
    Form1 form;
};

bool copyFromEnabled(const Options& o)
{
    return o.Drive1->isEnabled() && o.Dir1->isEnabled() && o.List1->isEnabled() &&
           o.Text1->isEnabled() && o.Command1->isEnabled();
}

bool copyFromDisabled(const Options& o)
{
    return !o.Drive1->isEnabled() && !o.Dir1->isEnabled() && !o.List1->isEnabled() &&
           !o.Text1->isEnabled() && !o.Command1->isEnabled();
}

} // namespace

class OptionsWindowTest : public QObject
{
    Q_OBJECT
private slots:
    void openedAndClosedUntouchedResetsAutoClear();
    void noNotifyChoiceGreysCopyFrom();
    void fileNoSelectsPreparedFile();
    void dontNotifyClearsBothFlagsAtOnce();
    void beepAndMessageTakeEffectAtOnce();
    void closingWithoutSelectionEmptiesFFile();
    void closeCopiesEveryControlBack();
    void escapeClosesAndCopiesBack();
    void hiddenFilesOnlyFromNextListing();
    void resetRestoresPattern();
    void dateBoxCheckedOnLeaving_data();
    void dateBoxCheckedOnLeaving();
    void timeBoxEmptiedWhenBlank();
    void doubleClickCentresOnlyFromItsSurfaces();
};

void OptionsWindowTest::openedAndClosedUntouchedResetsAutoClear()
{
    OptionsFixture f;
    f.form.settings.AutoClear = 1;
    f.form.settings.AutoClearDate = QStringLiteral("01/01/05");
    f.form.settings.AutoClearTime = QStringLiteral("2:00 pm");
    Options options(f.form);
    QVERIFY(!options.Check15->isChecked());
    options.Command2->click();
    QCOMPARE(f.form.settings.AutoClear, std::uint8_t(0));
    QCOMPARE(f.form.settings.AutoClearDate, QStringLiteral("04/21/04"));
    QCOMPARE(f.form.settings.AutoClearTime, QStringLiteral("1:00 am"));
}

void OptionsWindowTest::noNotifyChoiceGreysCopyFrom()
{
    OptionsFixture f;
    Options options(f.form);
    QVERIFY(options.Option3->isChecked());
    QVERIFY(copyFromDisabled(options));
}

void OptionsWindowTest::fileNoSelectsPreparedFile()
{
    OptionsFixture f;
    f.form.settings.FileNo = true;
    f.form.settings.FFile = QStringLiteral("b.doc");
    Options options(f.form);
    QVERIFY(options.Option1->isChecked());
    QVERIFY(copyFromEnabled(options));
    QCOMPARE(f.listed(options), (QStringList{QStringLiteral("A.txt"), QStringLiteral("b.doc")}));
    QVERIFY(options.List1->currentItem() && options.List1->currentItem()->isSelected());
    QCOMPARE(options.List1->currentItem()->text(), QStringLiteral("b.doc"));

    // The name is compared exactly: another case selects nothing.
    f.form.settings.FFile = QStringLiteral("B.DOC");
    Options again(f.form);
    QVERIFY(again.List1->selectedItems().isEmpty());
}

void OptionsWindowTest::dontNotifyClearsBothFlagsAtOnce()
{
    OptionsFixture f;
    f.form.settings.FileNo = true;
    Options options(f.form);
    options.show();
    QTest::mouseClick(options.Option2, Qt::LeftButton);
    QVERIFY(f.form.settings.FileYes);
    QVERIFY(!f.form.settings.FileNo);
    QVERIFY(copyFromDisabled(options));

    QTest::mouseClick(options.Option3, Qt::LeftButton);
    QVERIFY(!f.form.settings.FileYes);
    QVERIFY(!f.form.settings.FileNo);
    QVERIFY(options.isVisible()); // before the window closes

    QTest::mouseClick(options.Option1, Qt::LeftButton);
    QVERIFY(f.form.settings.FileNo);
    QVERIFY(copyFromEnabled(options));
    options.close();
}

void OptionsWindowTest::beepAndMessageTakeEffectAtOnce()
{
    OptionsFixture f;
    f.form.settings.ViaBeep = 1;
    f.form.settings.ViaMsg = 0;
    Options options(f.form);
    QVERIFY(options.Check1->isChecked());
    QVERIFY(!options.Check2->isChecked());
    options.show();
    // On the box itself: a check box takes clicks on its box and caption only.
    QTest::mouseClick(options.Check1, Qt::LeftButton, {}, QPoint(8, options.Check1->height() / 2));
    QTest::mouseClick(options.Check2, Qt::LeftButton, {}, QPoint(8, options.Check2->height() / 2));
    QCOMPARE(f.form.settings.ViaBeep, std::uint8_t(0));
    QCOMPARE(f.form.settings.ViaMsg, std::uint8_t(1));
    options.close();
}

void OptionsWindowTest::closingWithoutSelectionEmptiesFFile()
{
    OptionsFixture f;
    f.form.settings.FFile = QStringLiteral("gone.doc"); // no longer in the folder
    Options options(f.form);
    options.Command2->click();
    QVERIFY(!options.isVisible());
    QVERIFY(f.form.settings.FFile.isEmpty());
}

void OptionsWindowTest::closeCopiesEveryControlBack()
{
    OptionsFixture f;
    Options options(f.form);
    options.Check3->setChecked(true);
    options.Check10->setChecked(true);
    options.Check11->setChecked(true);
    options.Check12->setChecked(true);
    options.Check15->setChecked(true);
    options.Text2->setText(QStringLiteral("12/31/04"));
    options.Text3->setText(QStringLiteral("5:00 pm"));
    options.Option1->setChecked(true);
    options.List1->setCurrentRow(0);
    options.Command2->click();

    const Settings& s = f.form.settings;
    QCOMPARE(s.ConnNo, std::uint8_t(1));
    QCOMPARE(s.TaskNo, std::uint8_t(0));
    QCOMPARE(s.Address, std::uint8_t(1));
    QCOMPARE(s.LogFile, std::uint8_t(1));
    QCOMPARE(s.Overwrite, std::uint8_t(1));
    QCOMPARE(s.AutoClear, std::uint8_t(1));
    QCOMPARE(s.AutoClearDate, QStringLiteral("12/31/04"));
    QCOMPARE(s.AutoClearTime, QStringLiteral("5:00 pm"));
    QVERIFY(s.FileNo);
    QVERIFY(!s.FileYes);
    QCOMPARE(s.FFile, QStringLiteral("A.txt"));
    QCOMPARE(s.FDir, QStringLiteral("F:\\PREP"));
}

void OptionsWindowTest::escapeClosesAndCopiesBack()
{
    OptionsFixture f;
    Options options(f.form);
    options.show();
    QVERIFY(QTest::qWaitForWindowActive(&options));
    options.Check9->setChecked(true);
    options.Check9->setFocus();
    QTest::keyClick(options.Check9, Qt::Key_Escape);
    QVERIFY(!options.isVisible());
    QCOMPARE(f.form.settings.Login, std::uint8_t(1));
}

void OptionsWindowTest::hiddenFilesOnlyFromNextListing()
{
    OptionsFixture f;
    {
        Options options(f.form);
        options.Check13->setChecked(true);
        options.Text1->setText(QStringLiteral("*")); // a fresh listing while open
        QVERIFY(!f.listed(options).contains(QStringLiteral(".hidden")));
        options.Command2->click();
    }
    QCOMPARE(f.form.settings.HidFiles, std::uint8_t(1));
    Options next(f.form);
    QVERIFY(f.listed(next).contains(QStringLiteral(".hidden")));
    QVERIFY(!f.listed(next).contains(QStringLiteral("sub"))); // never directories
}

void OptionsWindowTest::resetRestoresPattern()
{
    OptionsFixture f;
    f.form.settings.FileNo = true;
    f.form.settings.FFile = QStringLiteral("b.doc");
    Options options(f.form);
    options.show();
    QVERIFY(QTest::qWaitForWindowExposed(&options));
    options.Text1->setText(QStringLiteral("*.TXT"));
    QCOMPARE(f.listed(options), QStringList{QStringLiteral("A.txt")});
    options.Command1->click();
    QCOMPARE(options.Text1->text(), QStringLiteral("*.*"));
    QCOMPARE(f.listed(options).size(), 2);
    QVERIFY(options.List1->selectedItems().isEmpty());
    // Every listing scrolls across 1000 pixels, short as its names are.
    QCoreApplication::processEvents();
    QCOMPARE(options.List1->horizontalScrollBar()->maximum(),
             1000 - options.List1->viewport()->width());
}

void OptionsWindowTest::dateBoxCheckedOnLeaving_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("complains");
    QTest::newRow("blanks emptied") << "   "
                                    << "" << false;
    QTest::newRow("month 13") << "13/01/04"
                              << "13/01/04" << true;
    QTest::newRow("words") << "soon"
                           << "soon" << true;
    QTest::newRow("four-digit year") << "4/21/2004"
                                     << "4/21/2004" << false;
}

void OptionsWindowTest::dateBoxCheckedOnLeaving()
{
    QFETCH(QString, typed);
    QFETCH(QString, after);
    QFETCH(bool, complains);

    OptionsFixture f;
    Options options(f.form);
    options.show();
    QVERIFY(QTest::qWaitForWindowActive(&options));
    options.Text2->setFocus(Qt::MouseFocusReason);
    QVERIFY(options.Text2->hasFocus());
    options.Text2->setText(typed);
    options.Text3->setFocus(Qt::TabFocusReason);

    QCOMPARE(options.Text2->text(), after);
    if (complains) {
        QCOMPARE(f.fakes.prompts.transcript(),
                 QStringList{QStringLiteral(
                     "messageBox[Exclamation,Ok,Ok] Invalid Date: Please use MM/DD/YY format.")});
        QVERIFY(options.Text2->hasFocus());
    } else {
        QVERIFY(f.fakes.prompts.calls().isEmpty());
        QVERIFY(options.Text3->hasFocus());
    }
    options.close();
}

void OptionsWindowTest::timeBoxEmptiedWhenBlank()
{
    OptionsFixture f;
    Options options(f.form);
    options.show();
    QVERIFY(QTest::qWaitForWindowActive(&options));
    options.Text3->setFocus(Qt::MouseFocusReason);
    options.Text3->setText(QStringLiteral("  "));
    options.Text2->setFocus(Qt::TabFocusReason);
    QCOMPARE(options.Text3->text(), QString());
    options.Text3->setText(QStringLiteral("whenever")); // any text of up to 8 characters
    QCOMPARE(options.Text3->text(), QStringLiteral("whenever"));
    options.close();
    QVERIFY(f.fakes.prompts.calls().isEmpty());
}

void OptionsWindowTest::doubleClickCentresOnlyFromItsSurfaces()
{
    OptionsFixture f;
    Options options(f.form);
    options.show();
    QVERIFY(QTest::qWaitForWindowExposed(&options));
    const QPoint corner(3, 4);
    options.move(corner);

    for (QWidget* still : std::initializer_list<QWidget*>{options.Frame6, options.Label2})
        QTest::mouseDClick(still, Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(options.pos(), corner);

    QTest::mouseDClick(options.Frame1, Qt::LeftButton, {}, QPoint(2, 2));
    QVERIFY(options.pos() != corner);
    const QPoint centred = options.pos();
    options.move(corner);
    WindowMover::centre(options);
    QCOMPARE(options.pos(), centred);
    options.close();
}

QTEST_MAIN(OptionsWindowTest)
#include "options_window_test.moc"
