// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/control_layout.h"
#include "app/form1.h"
#include "app/lifecycle.h"
#include "app/size_limits.h"
#include "app/tray_icon.h"
#include "app/window_behaviour.h"
#include "app/window_geometry.h"
#include "platform/twips.h"
#include "support/shell_world.h"

#include <QSignalSpy>
#include <QtTest>
#include <QtWidgets>

using quorvex::Form1;
using quorvex::TrayIcon;
using quorvex::test::ShellWorld;

class WindowBehaviourTest : public QObject
{
    Q_OBJECT
private slots:
    void trayIgnoresTheMouseWhileShown();
    void trayRestoresAndOffersItsMenuWhileMinimised();
    void minimiseHidesOnlyWithATray();
    void proportionalLayout();
    void sizeLimits();
    void dragAndCentreByBackgroundAndLabels();
};

void WindowBehaviourTest::trayIgnoresTheMouseWhileShown()
{
    ShellWorld world;
    QVERIFY(world.load());
    Form1& form = world.form();
    TrayIcon& tray = form.lifecycle().window().tray();
    QCOMPARE(tray.toolTip(), QStringLiteral(" Quorvex "));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    tray.Form_MouseMove(TrayIcon::kRightButtonUp);
    QVERIFY(!tray.mnu_1()->isVisible());
    tray.Form_MouseMove(TrayIcon::kLeftButtonUp);
    QVERIFY(form.isVisible());
    QVERIFY(!form.lifecycle().isUnloaded());
}

void WindowBehaviourTest::trayRestoresAndOffersItsMenuWhileMinimised()
{
    ShellWorld world;
    QVERIFY(world.load());
    Form1& form = world.form();
    TrayIcon& tray = form.lifecycle().window().tray();
    tray.setAvailability([] { return true; });
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.setWindowState(Qt::WindowMaximized);
    form.setWindowState(Qt::WindowMinimized | Qt::WindowMaximized);
    QTRY_VERIFY(!form.isVisible());

    tray.Form_MouseMove(0x200); // a plain mouse move is no tray action
    QVERIFY(!form.isVisible());
    tray.Form_MouseMove(TrayIcon::kRightButtonUp);
    QTRY_VERIFY(tray.mnu_1()->isVisible());
    QCOMPARE(tray.mnu_1()->actions().size(), 2);
    QCOMPARE(tray.mnu_1()->actions().at(0)->text(), QStringLiteral("&Restore"));
    QCOMPARE(tray.mnu_1()->actions().at(1)->text(), QStringLiteral("&Exit"));
    tray.mnu_1()->hide();

    tray.Form_MouseMove(TrayIcon::kLeftDoubleClick);
    QVERIFY(form.isVisible());
    QCOMPARE(form.windowState(), Qt::WindowNoState); // normal, not maximised

    form.setWindowState(Qt::WindowMinimized);
    QTRY_VERIFY(!form.isVisible());
    tray.mPopRestore()->trigger();
    QVERIFY(form.isVisible());
    QVERIFY(!form.isMinimized());

    form.setWindowState(Qt::WindowMinimized);
    QTRY_VERIFY(!form.isVisible());
    tray.mPopExit()->trigger();
    QVERIFY(form.lifecycle().isUnloaded());
}

void WindowBehaviourTest::minimiseHidesOnlyWithATray()
{
    ShellWorld world;
    QVERIFY(world.load());
    Form1& form = world.form();
    form.lifecycle().window().tray().setAvailability([] { return false; });
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.setWindowState(Qt::WindowMinimized);
    QTest::qWait(20);
    QVERIFY(form.isVisible()); // stays in the task bar: the only way back
    QVERIFY(form.isMinimized());
}

void WindowBehaviourTest::proportionalLayout()
{
    ShellWorld world;
    QVERIFY(world.load());
    Form1& form = world.form();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QSize design = form.size();
    const QRect list = form.List1->geometry();
    const QRect button = form.Command2->geometry();
    const qreal buttonFont = form.Command2->font().pointSizeF();
    const qreal listFont = form.List1->font().pointSizeF();

    form.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    form.resize(design.width() * 2, design.height());
    QTRY_COMPARE(form.size(), QSize(design.width() * 2, design.height()));
    QVERIFY(qAbs(form.List1->x() - 2 * list.x()) <= 1);
    QVERIFY(qAbs(form.List1->width() - 2 * list.width()) <= 1);
    QCOMPARE(form.List1->y(), list.y());
    QCOMPARE(form.List1->height(), list.height());
    QCOMPARE(form.Command2->font().pointSizeF(), buttonFont); // smaller ratio is 1

    form.resize(design.width() * 2, design.height() * 3 / 2);
    QTRY_COMPARE(form.height(), design.height() * 3 / 2);
    QVERIFY(qAbs(form.Command2->font().pointSizeF() - 1.5 * buttonFont) < 0.05);
    QVERIFY(qAbs(form.Command2->y() - 1.5 * button.y()) <= 1);
    QCOMPARE(form.List1->font().pointSizeF(), listFont); // lists keep their font
}

void WindowBehaviourTest::sizeLimits()
{
    ShellWorld world;
    QVERIFY(world.load());
    Form1& form = world.form();
    // The smallest outer size is 8775 x 6285 twips, the design's outer size, in
    // the window's twips (which follow its font).
    const quorvex::TwipsPerPixel tpp = quorvex::twipsPerPixel(form);
    QCOMPARE(form.minimumWidth(),
             quorvex::pixelsFromTwips(8775, tpp.x) - quorvex::nonClientPixels(form).width());
    QCOMPARE(form.minimumHeight(),
             quorvex::pixelsFromTwips(6285, tpp.y) - quorvex::nonClientPixels(form).height());
    const QSize screen = quorvex::screenSizePixels(form);
    QCOMPARE(form.maximumWidth(), screen.width() - quorvex::nonClientPixels(form).width());
    QCOMPARE(form.maximumHeight(), screen.height() - quorvex::nonClientPixels(form).height());
    form.resize(10, 10);
    QCOMPARE(form.size(), form.minimumSize());

    // The last record for a window wins; a window without one is left alone.
    quorvex::SizeLimits limits;
    QWidget other;
    QVERIFY(!limits.SizeLimitWndProc(other));
    limits.LimitWindowSize(other, 1500, 1500, 6000, 6000);
    limits.LimitWindowSize(other, 3000, 3000, 6000, 6000);
    QCOMPARE(limits.records().size(), 2);
    QCOMPARE(other.minimumWidth(), quorvex::pixelsFromTwips(3000, quorvex::twipsPerPixel(other).x) -
                                       quorvex::nonClientPixels(other).width());
}

void WindowBehaviourTest::dragAndCentreByBackgroundAndLabels()
{
    ShellWorld world;
    QVERIFY(world.load());
    Form1& form = world.form();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.move(10, 10);
    const QPoint start = form.pos();

    // A drag on the "Connections" label moves the window with the mouse.
    QWidget* label = form.Label4;
    const QPoint at = label->rect().center();
    QTest::mousePress(label, Qt::LeftButton, {}, at);
    QMouseEvent move(QEvent::MouseMove, QPointF(at + QPoint(30, 20)),
                     QPointF(label->mapToGlobal(at + QPoint(30, 20))), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(label, &move);
    QMouseEvent further(QEvent::MouseMove, QPointF(at + QPoint(40, 25)),
                        QPointF(label->mapToGlobal(at + QPoint(40, 25))), Qt::NoButton,
                        Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(label, &further);
    QTest::mouseRelease(label, Qt::LeftButton, {}, at + QPoint(40, 25));
    QTRY_VERIFY(form.pos() != start);

    // A double-click on the background centres it, a little above the middle.
    const QRect screen = form.screen()->geometry();
    QTest::mouseDClick(&form, Qt::LeftButton, {}, QPoint(2, 2));
    const QSize outer = form.frameGeometry().size();
    QTRY_COMPARE(form.frameGeometry().topLeft(),
                 QPoint(screen.x() + (screen.width() - outer.width()) / 2,
                        screen.y() + qRound((screen.height() - outer.height()) * 0.9 / 2)));

    // A double-click on a button is the button's, not the window's.
    form.move(5, 5);
    const QPoint before = form.pos();
    QTest::mouseDClick(form.Command3, Qt::LeftButton);
    QCOMPARE(form.pos(), before);
}

QTEST_MAIN(WindowBehaviourTest)
#include "window_behaviour_test.moc"
