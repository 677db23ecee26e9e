// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings_keys.h"
#include "platform/settings_store.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace quorvex;

class SettingsKeysTest : public QObject
{
    Q_OBJECT
private slots:
    void byteConversion_data();
    void byteConversion();
    void booleanConversion_data();
    void booleanConversion();
    void singleConversion();
    void unconvertibleTextKeepsTheFieldNotTheDefault();
    void missingKeyGivesTheDefault();
    void historyStopsAtTheFirstEmptyEntry();
    void historyWrittenNewestFirstOnlyWhenChanged();
    void historyWritesAtMost25Keys();
};

void SettingsKeysTest::byteConversion_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected"); // -1: does not convert
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("one") << "1" << 1;
    QTest::newRow("blanks") << " 10 " << 10;
    QTest::newRow("top") << "255" << 255;
    QTest::newRow("too big") << "300" << -1;
    QTest::newRow("negative") << "-1" << -1;
    QTest::newRow("letters") << "abc" << -1;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("fraction") << "1.5" << -1;
}

void SettingsKeysTest::byteConversion()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    const auto value = toByte(text);
    QCOMPARE(value.has_value(), expected >= 0);
    if (value)
        QCOMPARE(int(*value), expected);
}

void SettingsKeysTest::booleanConversion_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected"); // -1: does not convert
    QTest::newRow("True") << "True" << 1;
    QTest::newRow("false lower") << "false" << 0;
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("minus one") << "-1" << 1;
    QTest::newRow("seven") << "7" << 1;
    QTest::newRow("yes") << "yes" << -1;
    QTest::newRow("empty") << "" << -1;
}

void SettingsKeysTest::booleanConversion()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    const auto value = toBoolean(text);
    QCOMPARE(value.has_value(), expected >= 0);
    if (value)
        QCOMPARE(int(*value), expected);
}

void SettingsKeysTest::singleConversion()
{
    QCOMPARE(toSingle(QStringLiteral("6285")).value(), 6285.0f);
    QCOMPARE(toSingle(QStringLiteral("6284.5")).value(), 6284.5f);
    QVERIFY(!toSingle(QStringLiteral("")));
    QVERIFY(!toSingle(QStringLiteral("wide")));
    QVERIFY(!toSingle(QStringLiteral("1e60")));
    QCOMPARE(fromSingle(6285.0f), QStringLiteral("6285"));
    QCOMPARE(fromSingle(6284.5f), QStringLiteral("6284.5"));
    QCOMPARE(fromBoolean(true), QStringLiteral("True"));
    QCOMPARE(fromByte(7), QStringLiteral("7"));
}

void SettingsKeysTest::unconvertibleTextKeepsTheFieldNotTheDefault()
{
    QTemporaryDir dir;
    SettingsStore store(dir.filePath(QStringLiteral("q.ini")));
    store.setValue(kOptionsSection, QStringLiteral("Seconds"), QString());
    store.setValue(kOptionsSection, QStringLiteral("ConnNo"), QStringLiteral("abc"));
    store.setValue(kOptionsSection, QStringLiteral("FileYes"), QStringLiteral("maybe"));
    std::uint8_t seconds = 0;
    std::uint8_t connNo = 0;
    bool fileYes = true;
    QVERIFY(!readInto(store, keys::Seconds, seconds));
    QVERIFY(!readInto(store, keys::ConnNo, connNo));
    QVERIFY(!readInto(store, keys::FileYes, fileYes));
    QCOMPARE(seconds, std::uint8_t(0));
    QCOMPARE(connNo, std::uint8_t(0));
    QCOMPARE(fileYes, true);
}

void SettingsKeysTest::missingKeyGivesTheDefault()
{
    QTemporaryDir dir;
    SettingsStore store(dir.filePath(QStringLiteral("q.ini")));
    std::uint8_t seconds = 0;
    float height = 0;
    QString fdir;
    QVERIFY(readInto(store, keys::Seconds, seconds));
    QVERIFY(readInto(store, keys::Height, height));
    QVERIFY(readInto(store, keys::FDir, fdir));
    QCOMPARE(seconds, std::uint8_t(10));
    QCOMPARE(height, 6285.0f);
    QCOMPARE(fdir, QStringLiteral("\\"));
}

void SettingsKeysTest::historyStopsAtTheFirstEmptyEntry()
{
    QTemporaryDir dir;
    SettingsStore store(dir.filePath(QStringLiteral("q.ini")));
    store.setValue(kOptionsSection, QStringLiteral("Path_0"), QString());
    store.setValue(kOptionsSection, QStringLiteral("Path_1"), QStringLiteral("F:\\A.XLS"));
    QVERIFY(readHistory(store, keys::PathHistoryPrefix).isEmpty());
    store.setValue(kOptionsSection, QStringLiteral("Path_0"), QStringLiteral("F:\\B.XLS"));
    QCOMPARE(readHistory(store, keys::PathHistoryPrefix), (QStringList{"F:\\B.XLS", "F:\\A.XLS"}));
}

void SettingsKeysTest::historyWrittenNewestFirstOnlyWhenChanged()
{
    QTemporaryDir dir;
    SettingsStore store(dir.filePath(QStringLiteral("q.ini")));
    const QStringList list{"one", "two", "three"};
    QVERIFY(!writeHistory(store, keys::PatternHistoryPrefix, list, 2));
    QVERIFY(store.keys(kOptionsSection).isEmpty());
    QVERIFY(writeHistory(store, keys::PatternHistoryPrefix, list, 1));
    QCOMPARE(readHistory(store, keys::PatternHistoryPrefix), (QStringList{"three", "two", "one"}));
}

void SettingsKeysTest::historyWritesAtMost25Keys()
{
    QTemporaryDir dir;
    SettingsStore store(dir.filePath(QStringLiteral("q.ini")));
    store.setValue(kOptionsSection, QStringLiteral("Path_25"), QStringLiteral("left alone"));
    QStringList list;
    for (int i = 0; i < 30; ++i)
        list.append(QStringLiteral("entry%1").arg(i));
    QVERIFY(writeHistory(store, keys::PathHistoryPrefix, list, -1));
    QCOMPARE(store.value(kOptionsSection, QStringLiteral("Path_0")), QStringLiteral("entry29"));
    QCOMPARE(store.value(kOptionsSection, QStringLiteral("Path_24")), QStringLiteral("entry5"));
    QCOMPARE(store.value(kOptionsSection, QStringLiteral("Path_25")), QStringLiteral("left alone"));
    QCOMPARE(readHistory(store, keys::PathHistoryPrefix).size(), 25);
}

QTEST_APPLESS_MAIN(SettingsKeysTest)
#include "settings_keys_test.moc"
