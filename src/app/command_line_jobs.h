// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/command_line.h"

#include <QString>

namespace quorvex {

class Form1;

// The unattended jobs a command line names: scan the file, then keep rescanning,
// clear every user, write the users to a file, or clear the lock set. Runs once,
// at the end of start-up.
class CommandLineJobs
{
public:
    explicit CommandLineJobs(Form1& form);

    // Carries out the job; unloads the main window where the job ends the
    // program (and, without a display, where it would wait for an unseen person)
    // and leaves the exit status with the lifecycle.
    void run(const QString& commandLine);

    // The stamp of an output file: "mm/dd/yyyy hh:mm:ss am/pm".
    static QString outputStamp(const QDateTime& now);

private:
    // The file name as the jobs use it: a host path ("/...", as a desktop hands
    // over a file) is turned into its DOS path; empty when no drive holds it.
    QString dosFileName(const QString& fileName) const;
    // Lines that say why a server cannot be used, each after a line break: the
    // server of a DOS path's drive, or of every network drive for a host path;
    // empty when nothing is known to be wrong.
    QString serverProblems(const QString& fileName) const;
    bool scan(const QString& fileName);
    void clearAllUsers();
    bool writeUsers(const CommandLineJob& job);
    // "-ue": the lock set on every server of the settings; ends the program
    // unless a server failed on the desktop, where the pane shows which.
    void clearLockSets();
    void end(int status);
    // Headless: there is nobody to read the window, so its message goes to
    // standard error and the program ends.
    void endUnattended(int status);

    Form1& form_;
};

} // namespace quorvex
