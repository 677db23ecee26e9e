// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

namespace quorvex {

class Form1;

// Clearing the lock on the selected file, or the lock set. Works from the last
// scan's lock flags; the user list and its records are left as they are.
class FileLocks : public QObject
{
    Q_OBJECT
public:
    explicit FileLocks(Form1& form);

    void Command11_Click();

private:
    int firstLockHolder() const;
    void clearLockSet();
    void clearFileLock();
    QString selectedFileName() const;

    Form1& form_;
};

} // namespace quorvex
