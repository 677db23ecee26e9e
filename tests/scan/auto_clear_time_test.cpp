// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/auto_clear_time.h"

#include <QTest>

using namespace quorvex;

class AutoClearTimeTest : public QObject
{
    Q_OBJECT
private slots:
    void dates_data();
    void dates();
    void times_data();
    void times();
    void due_data();
    void due();
};

void AutoClearTimeTest::dates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("expected"); // invalid = refused

    QTest::newRow("design text") << "04/21/04" << QDate(2004, 4, 21);
    QTest::newRow("single digits") << "4/2/04" << QDate(2004, 4, 2);
    QTest::newRow("four-digit year") << "4/21/2004" << QDate(2004, 4, 21);
    QTest::newRow("dashes") << "12-31-99" << QDate(1999, 12, 31);
    QTest::newRow("49 is 2049") << "01/01/49" << QDate(2049, 1, 1);
    QTest::newRow("50 is 1950") << "01/01/50" << QDate(1950, 1, 1);
    QTest::newRow("blanks around") << "  04/21/04 " << QDate(2004, 4, 21);
    QTest::newRow("leap day") << "02/29/2004" << QDate(2004, 2, 29);
    QTest::newRow("month 13") << "13/01/04" << QDate();
    QTest::newRow("no such day") << "02/30/04" << QDate();
    QTest::newRow("not a leap year") << "02/29/2003" << QDate();
    QTest::newRow("day 0") << "04/00/04" << QDate();
    QTest::newRow("mixed separators") << "04/21-04" << QDate();
    QTest::newRow("three-digit year") << "04/21/004" << QDate();
    QTest::newRow("day first long form") << "21.04.2004" << QDate();
    QTest::newRow("words") << "tomorrow" << QDate();
    QTest::newRow("blank inside") << "04/ 21/04" << QDate();
    QTest::newRow("empty") << "" << QDate();
}

void AutoClearTimeTest::dates()
{
    QFETCH(QString, text);
    QFETCH(QDate, expected);
    const auto date = parseAutoClearDate(text);
    QCOMPARE(date.has_value(), expected.isValid());
    if (date)
        QCOMPARE(*date, expected);
}

void AutoClearTimeTest::times_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QTime>("expected"); // invalid = refused

    QTest::newRow("design text") << "1:00 am" << QTime(1, 0);
    QTest::newRow("no blank, upper case") << "1:30PM" << QTime(13, 30);
    QTest::newRow("mixed case") << "11:05 Pm" << QTime(23, 5);
    QTest::newRow("12 am is midnight") << "12:00 am" << QTime(0, 0);
    QTest::newRow("12 pm is noon") << "12:15 pm" << QTime(12, 15);
    QTest::newRow("seconds, 12-hour") << "1:00:30 pm" << QTime(13, 0, 30);
    QTest::newRow("24-hour") << "17:45" << QTime(17, 45);
    QTest::newRow("24-hour midnight") << "0:00" << QTime(0, 0);
    QTest::newRow("24-hour seconds") << "23:59:59" << QTime(23, 59, 59);
    QTest::newRow("leading zero") << "09:00 am" << QTime(9, 0);
    QTest::newRow("13 pm") << "13:00 pm" << QTime();
    QTest::newRow("0 am") << "0:30 am" << QTime();
    QTest::newRow("hour 24") << "24:00" << QTime();
    QTest::newRow("minute 60") << "1:60" << QTime();
    QTest::newRow("one-digit minute") << "1:5 am" << QTime();
    QTest::newRow("hour only") << "1 am" << QTime();
    QTest::newRow("two blanks") << "1:00  am" << QTime();
    QTest::newRow("words") << "noon" << QTime();
}

void AutoClearTimeTest::times()
{
    QFETCH(QString, text);
    QFETCH(QTime, expected);
    const auto time = parseAutoClearTime(text);
    QCOMPARE(time.has_value(), expected.isValid());
    if (time)
        QCOMPARE(*time, expected);
}

void AutoClearTimeTest::due_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<bool>("due");

    const QDateTime morning(QDate(2004, 4, 21), QTime(9, 0));
    // A time alone: later in the day clears nothing yet, earlier in the day has passed.
    QTest::newRow("time ahead") << ""
                                << "10:00 am" << morning << false;
    QTest::newRow("time passed") << ""
                                 << "8:00 am" << morning << true;
    QTest::newRow("time exactly now") << ""
                                      << "9:00 am" << morning << false;
    QTest::newRow("time passed, next day too") << ""
                                               << "8:00 am" << morning.addDays(1) << true;
    // A date alone is compared with today's date.
    QTest::newRow("date today") << "04/21/04"
                                << "" << morning << false;
    QTest::newRow("date tomorrow") << "04/22/04"
                                   << "" << morning << false;
    QTest::newRow("date yesterday") << "04/20/04"
                                    << "" << morning << true;
    // Both: one moment.
    QTest::newRow("moment ahead") << "04/21/04"
                                  << "10:00 am" << morning << false;
    QTest::newRow("moment passed") << "04/21/04"
                                   << "8:59 am" << morning << true;
    QTest::newRow("earlier day, later hour") << "04/20/04"
                                             << "11:00 pm" << morning << true;
    QTest::newRow("later day, earlier hour") << "04/22/04"
                                             << "1:00 am" << morning << false;
    // What does not read clears nothing, even when the other half has passed.
    QTest::newRow("unreadable time") << "04/20/04"
                                     << "soon" << morning << false;
    QTest::newRow("unreadable date") << "13/01/04"
                                     << "8:00 am" << morning << false;
    QTest::newRow("unreadable time alone") << ""
                                           << "8 o'clock" << morning << false;
    QTest::newRow("nothing set") << ""
                                 << "" << morning << false;
    QTest::newRow("blanks only") << "  "
                                 << " " << morning << false;
}

void AutoClearTimeTest::due()
{
    QFETCH(QString, date);
    QFETCH(QString, time);
    QFETCH(QDateTime, now);
    QFETCH(bool, due);
    QCOMPARE(autoClearDue(date, time, now), due);
}

QTEST_APPLESS_MAIN(AutoClearTimeTest)
#include "auto_clear_time_test.moc"
