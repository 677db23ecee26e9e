// SPDX-License-Identifier: GPL-3.0-or-later
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

QTEST_MAIN(TwipsTest)
#include "twips_test.moc"
