// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_icon.h"
#include "app/lazy_icon_engine.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QTest>

class AppIconTest : public QObject
{
    Q_OBJECT
private slots:
    void iconIsDrawnAtEverySize_data();
    void iconIsDrawnAtEverySize();
    void desktopIdentityNamesTheInstalledEntry();
    void onlyTheRenditionsAskedForAreDecoded();
};

void AppIconTest::iconIsDrawnAtEverySize_data()
{
    QTest::addColumn<int>("size");
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        QTest::addRow("%d px", size) << size;
}

void AppIconTest::iconIsDrawnAtEverySize()
{
    QFETCH(int, size);
    const QIcon icon = quorvex::quorvexIcon();
    QVERIFY(!icon.isNull());
    QVERIFY(icon.availableSizes().contains(QSize(size, size)));

    // A rendition that failed to load would come back empty or transparent: look
    // for the file's dark outline in the upper left and the users' orange badge in
    // the lower right.
    const QImage image = icon.pixmap(QSize(size, size)).toImage();
    QCOMPARE(image.size(), QSize(size, size));
    auto found = [&](int x0, int y0, int x1, int y1, auto matches) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (matches(image.pixelColor(x, y)))
                    return true;
        return false;
    };
    const int half = size / 2;
    QVERIFY(found(0, 0, half, half, [](const QColor& c) {
        return c.alpha() > 200 && c.blue() > c.red() + 60 && c.lightness() < 120;
    }));
    QVERIFY(found(half, half, size, size, [](const QColor& c) {
        return c.alpha() > 200 && c.red() > 180 && c.blue() < 100 && c.green() > 60;
    }));
}

void AppIconTest::desktopIdentityNamesTheInstalledEntry()
{
    quorvex::applyDesktopIdentity();
    QCOMPARE(QGuiApplication::desktopFileName(), quorvex::desktopFileId());
    QVERIFY(!QApplication::windowIcon().isNull());

    // The compositor matches the window to its menu entry by this name, and the
    // store by the metadata's id: all three must agree.
    const QString packaging = qEnvironmentVariable("QUORVEX_SOURCE_DIR") + "/packaging/";
    QVERIFY(QFile::exists(packaging + quorvex::desktopFileId() + ".desktop"));
    QFile metainfo(packaging + quorvex::desktopFileId() + ".metainfo.xml");
    QVERIFY(metainfo.open(QIODevice::ReadOnly));
    const QByteArray xml = metainfo.readAll();
    const QByteArray id = quorvex::desktopFileId().toUtf8();
    QVERIFY(xml.contains("<id>" + id + "</id>"));
    QVERIFY(xml.contains("<launchable type=\"desktop-id\">" + id + ".desktop</launchable>"));
}

void AppIconTest::onlyTheRenditionsAskedForAreDecoded()
{
    std::vector<quorvex::LazyIconEngine::Rendition> renditions;
    for (const int size : {64, 16, 32}) // any order
        renditions.push_back({size, QStringLiteral(":/icons/quorvex-%1.png").arg(size)});
    auto* engine = new quorvex::LazyIconEngine(renditions);
    const QIcon icon(engine);
    QCOMPARE(engine->decodedCount(), 0);
    QCOMPARE(icon.actualSize(QSize(20, 20)), QSize(20, 20));
    QCOMPARE(icon.actualSize(QSize(500, 500)), QSize(64, 64));
    QCOMPARE(engine->decodedCount(), 0);

    // 20 px is drawn from the 32 px rendition, scaled down; 32 px again decodes nothing.
    QCOMPARE(icon.pixmap(QSize(20, 20)).size(), QSize(20, 20));
    QCOMPARE(engine->decodedCount(), 1);
    icon.pixmap(QSize(32, 32));
    QCOMPARE(engine->decodedCount(), 1);
    const QImage disabled = icon.pixmap(QSize(64, 64), QIcon::Disabled).toImage();
    QCOMPARE(engine->decodedCount(), 2);
    QCOMPARE(disabled.size(), QSize(64, 64));
    const QImage normal = icon.pixmap(QSize(64, 64)).toImage();
    QVERIFY(disabled != normal); // the disabled form is still drawn greyed
}

QTEST_MAIN(AppIconTest)
#include "app_icon_test.moc"
