#include "platform/headless_mode.h"
#include "platform/twips.h"

#include <QtTest>

using namespace quorvex;

class TwipsTest : public QObject
{
    Q_OBJECT

private slots:
    void conversions_data();
    void conversions();
    void screenFactors();
    void offscreenDecision_data();
    void offscreenDecision();
};

void TwipsTest::conversions_data()
{
    QTest::addColumn<double>("dpi");
    QTest::addColumn<double>("twips");
    QTest::addColumn<int>("pixels");
    QTest::newRow("96 dpi, main window width") << 96.0 << 8775.0 << 585;
    QTest::newRow("96 dpi, main window height") << 96.0 << 6285.0 << 419;
    QTest::newRow("120 dpi") << 120.0 << 8775.0 << 731; // 731.25
    QTest::newRow("144 dpi") << 144.0 << 6285.0 << 629; // 628.5 rounds up
    QTest::newRow("72 dpi") << 72.0 << 1440.0 << 72;
    QTest::newRow("no dpi counts as 96") << 0.0 << 1440.0 << 96;
    QTest::newRow("negative dpi counts as 96") << -5.0 << 15.0 << 1;
}

void TwipsTest::conversions()
{
    QFETCH(double, dpi);
    QFETCH(double, twips);
    QFETCH(int, pixels);
    const double factor = twipsPerPixelForDpi(dpi);
    QCOMPARE(pixelsFromTwips(twips, factor), pixels);
    QVERIFY(qAbs(twipsFromPixels(pixels, factor) - twips) <= factor / 2);
}

void TwipsTest::screenFactors()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    QVERIFY(screen);
    const TwipsPerPixel factors = twipsPerPixel();
    QCOMPARE(factors.x, 1440.0 / screen->logicalDotsPerInchX());
    QCOMPARE(factors.y, 1440.0 / screen->logicalDotsPerInchY());
    QCOMPARE(pixelsFromTwips(0, 0.0), 0); // a zero factor must not divide by zero
}

void TwipsTest::offscreenDecision_data()
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

void TwipsTest::offscreenDecision()
{
    QFETCH(QByteArray, display);
    QFETCH(QByteArray, wayland);
    QFETCH(QByteArray, platform);
    QFETCH(QStringList, args);
    QFETCH(bool, offscreen);
    QCOMPARE(needsOffscreenPlatform(display, wayland, platform, args), offscreen);
}

QTEST_MAIN(TwipsTest)
#include "twips_test.moc"
