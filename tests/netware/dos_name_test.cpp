// SPDX-License-Identifier: GPL-3.0-or-later
// DOS (8.3) names of long names.

#include "netware/dos_name.h"

#include <QtTest>

using namespace nw;

class DosNameTest : public QObject
{
    Q_OBJECT
private slots:
    void names_data();
    void names();
};

void DosNameTest::names_data()
{
    QTest::addColumn<QStringList>("longNames");
    QTest::addColumn<QStringList>("dosNames");
    QTest::newRow("fits") << QStringList{"readme.txt", "A", "NAME8CHR.EXT", "a&b.x"}
                          << QStringList{"README.TXT", "A", "NAME8CHR.EXT", "A&B.X"};
    QTest::newRow("blanks and amp")
        << QStringList{"Budget & Plan.xls"} << QStringList{"BUDGET~1.XLS"};
    QTest::newRow("too long") << QStringList{"verylongname.text"} << QStringList{"VERYLO~1.TEX"};
    QTest::newRow("collisions skip taken")
        << QStringList{"LONGNA~1.TXT", "longname one.txt", "longname two.txt"}
        << QStringList{"LONGNA~1.TXT", "LONGNA~2.TXT", "LONGNA~3.TXT"};
    QTest::newRow("invalid chars") << QStringList{"a+b=c.txt", ".profile", "x.tar.gz"}
                                   << QStringList{"A_B_C~1.TXT", "PROFIL~1", "XTAR~1.GZ"};
    QStringList many, expected;
    for (int i = 0; i < 11; ++i) {
        many << QStringLiteral("document number %1.doc").arg(i, 2, 10, QLatin1Char('0'));
        expected << (i < 9 ? QStringLiteral("DOCUME~%1.DOC").arg(i + 1)
                           : QStringLiteral("DOCUM~%1.DOC").arg(i + 1));
    }
    QTest::newRow("ten and more") << many << expected;
}

void DosNameTest::names()
{
    QFETCH(QStringList, longNames);
    QFETCH(QStringList, dosNames);
    QCOMPARE(assignDosNames(longNames), dosNames);
}

QTEST_GUILESS_MAIN(DosNameTest)
#include "dos_name_test.moc"
