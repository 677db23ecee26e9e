// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QObject>
#include <QStringList>

namespace quorvex {

class Form1;

// Printing and copying the scan report: the selected file's path, the time of
// printing, the user list's lines as they stand, and their count.
class Reports : public QObject
{
    Q_OBJECT
public:
    explicit Reports(Form1& form);

    void Command4_Click(); // "&Print"
    void Command5_Click(); // "&Copy"

    // "mm/dd/yy hh:mm am" on the 12-hour clock.
    static QString timeStamp(const QDateTime& when);
    // The report's lines: path, time stamp, empty line, users, empty line, count.
    QStringList reportLines() const;

private:
    Form1& form_;
};

} // namespace quorvex
