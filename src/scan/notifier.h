// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvex {

class Form1;

// Tells the watching user that the file is in use or free, or puts a prepared
// file in place once it is free. The boxes it shows stay on top without holding
// the scan, so later rescans keep running and find a box still open by its title
// instead of opening another.
class Notifier
{
public:
    explicit Notifier(Form1& form);

    // The scan found users: beep and/or the "opened file" box, when the rescan is
    // on and the user asked to hear about a user having the file.
    void fileInUse();
    // The scan found nobody: beep, then either the prepared-file copy or the
    // "released" box, when the rescan is on and the user asked to hear about it.
    void fileFree();

    static QString notificationTitle();

private:
    void showOnce(const QString& text);
    void copyPreparedFile();
    QString copyFromDirectory() const;
    QString browserDirectory() const;

    Form1& form_;
};

} // namespace quorvex
