// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/headless_mode.h"

#include <QtTest>

using namespace quorvex;

class HeadlessModeTest : public QObject
{
    Q_OBJECT

private slots:
    void offscreenDecision_data();
    void offscreenDecision();
    void applyingSetsThePlatformAndRemembersIt();
};

void HeadlessModeTest::offscreenDecision_data()
{
    QTest::addColumn<QByteArray>("display");
    QTest::addColumn<QByteArray>("wayland");
    QTest::addColumn<QByteArray>("platform");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("offscreen");
    const QStringList plain{"quorvex", "F:\\Q1.XLS"};
    QTest::newRow("nothing") << QByteArray() << QByteArray() << QByteArray() << plain << true;
    QTest::newRow("X11") << QByteArray(":0") << QByteArray() << QByteArray() << plain << false;
    QTest::newRow("Wayland") << QByteArray() << QByteArray("wayland-0") << QByteArray() << plain
                             << false;
    QTest::newRow("platform chosen")
        << QByteArray() << QByteArray() << QByteArray("vnc") << plain << false;
    QTest::newRow("-platform") << QByteArray() << QByteArray() << QByteArray()
                               << QStringList{"quorvex", "-platform", "vnc", "F:\\Q1.XLS"} << false;
    QTest::newRow("--platform") << QByteArray() << QByteArray() << QByteArray()
                                << QStringList{"quorvex", "--platform", "vnc"} << false;
    QTest::newRow("-platform without a name") << QByteArray() << QByteArray() << QByteArray()
                                              << QStringList{"quorvex", "-platform"} << true;
    QTest::newRow("-platform as the file name's job text")
        << QByteArray() << QByteArray() << QByteArray() << QStringList{"F:\\-platform", "x"}
        << true;
}

void HeadlessModeTest::offscreenDecision()
{
    QFETCH(QByteArray, display);
    QFETCH(QByteArray, wayland);
    QFETCH(QByteArray, platform);
    QFETCH(QStringList, args);
    QFETCH(bool, offscreen);
    QCOMPARE(needsOffscreenPlatform(display, wayland, platform, args), offscreen);
}

void HeadlessModeTest::applyingSetsThePlatformAndRemembersIt()
{
    // No QApplication exists in this test, so the environment may be changed.
    char program[] = "quorvex";
    char* argv[] = {program, nullptr};
    qunsetenv("DISPLAY");
    qunsetenv("WAYLAND_DISPLAY");
    qunsetenv("QT_QPA_PLATFORM");
    QVERIFY(applyHeadlessPlatform(1, argv));
    QCOMPARE(qgetenv("QT_QPA_PLATFORM"), QByteArray("offscreen"));
    QVERIFY(isHeadlessRun());

    qputenv("DISPLAY", ":0");
    qputenv("QT_QPA_PLATFORM", "xcb");
    QVERIFY(!applyHeadlessPlatform(1, argv));
    QCOMPARE(qgetenv("QT_QPA_PLATFORM"), QByteArray("xcb"));
    QVERIFY(!isHeadlessRun());

    // Choosing the offscreen platform oneself is a run without a display too.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QVERIFY(applyHeadlessPlatform(1, argv));
}

QTEST_GUILESS_MAIN(HeadlessModeTest)
#include "headless_mode_test.moc"
