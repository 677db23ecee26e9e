// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/dos_pattern.h"
#include "files/file_listing.h"

#include <QtTest>

using quorvex::DosPattern;

class DosPatternTest : public QObject
{
    Q_OBJECT
private slots:
    void matches_data();
    void matches();
    void invalidPatterns_data();
    void invalidPatterns();
    void sortsIgnoringCaseAndStably();
};

void DosPatternTest::matches_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("expected");

    QTest::newRow("*.* takes a name without a dot") << "*.*"
                                                    << "README" << true;
    QTest::newRow("*.* takes dotted names") << "*.*"
                                            << "a.b.c" << true;
    QTest::newRow("extension ignores case") << "*.xls"
                                            << "Q1.XLS" << true;
    QTest::newRow("other extension") << "*.xls"
                                     << "Q1.doc" << false;
    QTest::newRow("? is one character") << "q?.xls"
                                        << "q1.xls" << true;
    QTest::newRow("? is not zero characters") << "q?.xls"
                                              << "q.xls" << false;
    QTest::newRow("star in the middle") << "r*t.txt"
                                        << "report.txt" << true;
    QTest::newRow("star backtracks") << "*a*b"
                                     << "xaxaxb" << true;
    QTest::newRow("prefix with .* takes no extension") << "rep*.*"
                                                       << "report" << true;
    QTest::newRow("prefix with .* other name") << "rep*.*"
                                               << "memo" << false;
    QTest::newRow("exact name with .*") << "memo.*"
                                        << "memo" << true;
    QTest::newRow("trailing dot: no extension") << "*."
                                                << "Makefile" << true;
    QTest::newRow("trailing dot: has extension") << "*."
                                                 << "a.txt" << false;
    QTest::newRow("literal name") << "Q1.XLS"
                                  << "q1.xls" << true;
    QTest::newRow("literal name longer") << "Q1.XLS"
                                         << "q1.xlsx" << false;
    QTest::newRow("non-ASCII ignoring case") << "ÄRGER.*"
                                             << "ärger.txt" << true;
}

void DosPatternTest::matches()
{
    QFETCH(QString, pattern);
    QFETCH(QString, name);
    QFETCH(bool, expected);
    const DosPattern p(pattern);
    QVERIFY(p.isValid());
    QCOMPARE(p.matches(name), expected);
}

void DosPatternTest::invalidPatterns_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::newRow("empty") << "";
    QTest::newRow("less than") << "a<b";
    QTest::newRow("pipe") << "*.x|y";
    QTest::newRow("backslash") << "sub\\*.*";
    QTest::newRow("slash") << "../*";
    QTest::newRow("colon") << "c:*.*";
    QTest::newRow("quote") << "\"*\"";
}

void DosPatternTest::invalidPatterns()
{
    QFETCH(QString, pattern);
    const DosPattern p(pattern);
    QVERIFY(!p.isValid());
    QVERIFY(!p.matches(QStringLiteral("anything")));
}

void DosPatternTest::sortsIgnoringCaseAndStably()
{
    QStringList names{"beta", "Alpha", "alpha", "Zed", "ALPHA", "b"};
    quorvex::sortIgnoringCase(names);
    QCOMPARE(names, (QStringList{"Alpha", "alpha", "ALPHA", "b", "beta", "Zed"}));
}

QTEST_APPLESS_MAIN(DosPatternTest)
#include "dos_pattern_test.moc"
