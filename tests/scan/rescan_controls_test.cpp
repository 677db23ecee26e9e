// SPDX-License-Identifier: GPL-3.0-or-later
// The periodic rescan, Stop, and the pause of the rescan while a window of the
// dialog buttons is open.
#include "watch_fixture.h"

#include "app/dialog_buttons.h"
#include "app/interval_timer.h"
#include "scan/rescan_controls.h"
#include "scan/watch.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace quorvex;

class RescanControlsTest : public QObject
{
    Q_OBJECT
private slots:
    void typingInSecondsBox_data();
    void typingInSecondsBox();
    void longNumberSaturates();
    void emptyOrZeroStopsFiringWithBoxTicked_data();
    void emptyOrZeroStopsFiringWithBoxTicked();
    void checkBoxRunsTimer();
    void timerFiresAtItsInterval();
    void stopOnlyRequests();
    void rearmFollowsTheBox();
    void optionsButtonPausesRescan();
    void rescanThatWasOffStaysOff();
};

void RescanControlsTest::typingInSecondsBox_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("backspaceAfter");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("interval");

    QTest::newRow("30") << "30" << false << "30" << 30000;
    QTest::newRow("65") << "65" << false << "65" << 65000;
    QTest::newRow("70 becomes 65") << "70" << false << "65" << 65000;
    QTest::newRow("99 becomes 65") << "99" << false << "65" << 65000;
    QTest::newRow("letter dropped") << "a" << false << "" << 0;
    QTest::newRow("letter between digits") << "1x5" << false << "15" << 15000;
    QTest::newRow("blank and sign dropped") << " -4" << false << "4" << 4000;
    QTest::newRow("backspace passes") << "30" << true << "3" << 3000;
}

void RescanControlsTest::typingInSecondsBox()
{
    QFETCH(QString, keys);
    QFETCH(bool, backspaceAfter);
    QFETCH(QString, text);
    QFETCH(int, interval);

    WatchFixture f;
    f.form.Text3->clear();
    QTest::keyClicks(f.form.Text3, keys);
    if (backspaceAfter)
        QTest::keyClick(f.form.Text3, Qt::Key_Backspace);
    QCOMPARE(f.form.Text3->text(), text);
    QCOMPARE(f.form.Timer1->interval(), interval);
}

void RescanControlsTest::longNumberSaturates()
{
    // However many digits arrive (pasted, or a wider box), the value stays in range.
    QCOMPARE(RescanControls::secondsFromText(QStringLiteral("65")), 65);
    QVERIFY(RescanControls::secondsFromText(QString(400, QLatin1Char('9'))) > 65);
    QCOMPARE(RescanControls::secondsFromText(QStringLiteral("12abc")), 12);
    QCOMPARE(RescanControls::secondsFromText(QString()), 0);

    WatchFixture f;
    f.form.Text3->setMaxLength(32767);
    f.form.Text3->setText(QStringLiteral("123456789012345678901234567890"));
    QCOMPARE(f.form.Text3->text(), QStringLiteral("65"));
    QCOMPARE(f.form.Timer1->interval(), 65000);
}

void RescanControlsTest::emptyOrZeroStopsFiringWithBoxTicked_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("zero") << "0";
}

void RescanControlsTest::emptyOrZeroStopsFiringWithBoxTicked()
{
    QFETCH(QString, text);
    WatchFixture f;
    f.form.Text3->setText(QStringLiteral("10"));
    f.form.Check1->setChecked(true);
    QVERIFY(f.form.Timer1->isArmed());

    f.form.Text3->setText(text);
    QCOMPARE(f.form.Timer1->interval(), 0);
    QVERIFY(!f.form.Timer1->isArmed());
    QVERIFY(f.form.Check1->isChecked());
    QVERIFY(f.form.Timer1->isEnabled());
}

void RescanControlsTest::checkBoxRunsTimer()
{
    WatchFixture f;
    f.form.Text3->setText(QStringLiteral("10"));
    f.form.Check1->setChecked(true);
    QVERIFY(f.form.Timer1->isEnabled());
    f.form.Check1->setChecked(false); // also from code, as the prepared-file copy does
    QVERIFY(!f.form.Timer1->isEnabled());
    QVERIFY(!f.form.Timer1->isArmed());
}

void RescanControlsTest::timerFiresAtItsInterval()
{
    WatchFixture f;
    f.form.Timer1->setInterval(50); // below the box's one-second step, to keep the test short
    QSignalSpy ticks(f.form.Timer1, &IntervalTimer::timeout);
    f.form.Check1->setChecked(true);
    QTRY_VERIFY(ticks.count() >= 2);
    f.form.Check1->setChecked(false);
    const int seen = ticks.count();
    QTest::qWait(150);
    QCOMPARE(ticks.count(), seen);
}

void RescanControlsTest::stopOnlyRequests()
{
    WatchFixture f;
    f.form.Text3->setText(QStringLiteral("10"));
    f.form.Check1->setChecked(true);
    f.form.Command9->click();
    QVERIFY(f.form.stopRequested);
    QVERIFY(f.form.Timer1->isArmed()); // Stop does not touch the rescan
}

void RescanControlsTest::rearmFollowsTheBox()
{
    WatchFixture f;
    f.form.Text3->setText(QStringLiteral("10"));
    f.form.Check1->setChecked(true);
    f.form.Timer1->setEnabled(false); // as the file browser leaves it on a directory change
    f.form.watch().rearmRescan();
    QVERIFY(f.form.Check1->isVisibleTo(&f.form));
    QVERIFY(f.form.Text3->isVisibleTo(&f.form));
    QVERIFY(f.form.Timer1->isArmed());

    f.form.Check1->setChecked(false);
    f.form.Timer1->setEnabled(true);
    f.form.watch().rearmRescan();
    QVERIFY(!f.form.Timer1->isEnabled());
}

void RescanControlsTest::optionsButtonPausesRescan()
{
    WatchFixture f;
    f.form.Text3->setText(QStringLiteral("1"));
    f.form.Check1->setChecked(true);
    QSignalSpy ticks(f.form.Timer1, &IntervalTimer::timeout);

    bool sawOptions = false;
    bool timerWhileOpen = true;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        sawOptions = modal && modal->objectName() == QLatin1String("Options");
        timerWhileOpen = f.form.Timer1->isEnabled();
        // Longer than the interval: a running timer would have ticked.
        QTimer::singleShot(1300, [modal] {
            if (modal)
                modal->close();
        });
    });
    f.form.Command17->click();

    QVERIFY(sawOptions);
    QVERIFY(!timerWhileOpen);
    QCOMPARE(ticks.count(), 0);
    QVERIFY(f.form.Timer1->isEnabled());
    QVERIFY(f.form.Timer1->isArmed());
    QTRY_VERIFY_WITH_TIMEOUT(ticks.count() >= 1, 3000);
}

void RescanControlsTest::rescanThatWasOffStaysOff()
{
    WatchFixture f;
    f.form.Text3->setText(QStringLiteral("1"));
    QDialog dialog(&f.form);
    QTimer::singleShot(0, &dialog, &QDialog::reject);
    showModalPausingRescan(f.form, dialog);
    QVERIFY(!f.form.Timer1->isEnabled());
}

QTEST_MAIN(RescanControlsTest)
#include "rescan_controls_test.moc"
