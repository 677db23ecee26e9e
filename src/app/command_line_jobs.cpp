// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line_jobs.h"

#include "actions/clear_connection.h"
#include "actions/user_selection.h"
#include "app/form1.h"
#include "app/interval_timer.h"
#include "app/lifecycle.h"
#include "app/message_pane.h"
#include "app/settings_keys.h"
#include "files/file_browser.h"
#include "locks/server_lock_sets.h"
#include "platform/clock.h"
#include "platform/drive_map.h"
#include "platform/file_helpers.h"
#include "platform/file_writes.h"
#include "platform/prompts.h"
#include "platform/services.h"
#include "platform/settings_store.h"
#include "platform/standard_error.h"
#include "scan/scan_engine.h"
#include "scan/scan_messages.h"

#include <QCheckBox>
#include <QDir>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>

namespace quorvex {

CommandLineJobs::CommandLineJobs(Form1& form) : form_(form) {}

QString CommandLineJobs::outputStamp(const QDateTime& now)
{
    return QLocale::c().toString(now, QStringLiteral("MM/dd/yyyy hh:mm:ss AP")).toLower();
}

void CommandLineJobs::run(const QString& commandLine)
{
    const CommandLineJob job = parseCommandLine(commandLine);
    using Kind = CommandLineJobKind;
    if (job.kind == Kind::None)
        return;
    if (job.kind == Kind::ClearLockSet) {
        clearLockSets();
        return;
    }

    const QString fileName = dosFileName(job.fileName);
    if (fileName.isEmpty() || !FileExists(form_.services().drives, fileName)) {
        form_.services().prompts.beep();
        form_.Text2->setText(QStringLiteral("Passed file '") + job.fileName +
                             QStringLiteral("' does not exist.") + serverProblems(job.fileName));
        if (form_.services().headless)
            endUnattended(1);
        return;
    }

    const bool scanned = scan(fileName);
    // A host path may have found no drive of its server and taken a local one:
    // the pane says why the server's drive holds no files.
    if (!scanned && job.fileName.startsWith(QLatin1Char('/'))) {
        if (const QString problems = serverProblems(job.fileName); !problems.isEmpty())
            form_.Text2->append(problems);
    }
    switch (job.kind) {
    case Kind::ScanAndRescan:
        if (form_.services().headless) {
            // Nobody watches the pane: what it reports as a failure goes to
            // standard error as it happens.
            form_.Text2->setWriteObserver([](const QString& text) {
                static const QRegularExpression failure(
                    QStringLiteral("^(Error!|File doesn't exist|Unable to|Scan timed out)"));
                if (failure.match(text).hasMatch())
                    printToStandardError(text);
            });
        }
        form_.Check1->setChecked(true);
        form_.Timer1->setEnabled(true);
        return; // keeps running, headless too, until it is told to end
    case Kind::ScanAndClear:
    case Kind::ScanClearAndEnd:
        if (scanned)
            clearAllUsers();
        if (job.kind == Kind::ScanClearAndEnd) {
            if (form_.services().headless)
                printToStandardError(form_.Text2->text());
            end(scanned ? 0 : 1);
        } else if (form_.services().headless) {
            endUnattended(scanned ? 0 : 1);
        }
        return;
    case Kind::ScanAndWrite:
    case Kind::ScanAndAppend: {
        int status = scanned ? 0 : 1;
        if (!scanned)
            printToStandardError(form_.Text2->text());
        else if (form_.List1->count() > 0 && !writeUsers(job))
            status = 1;
        end(status);
        return;
    }
    default:
        if (form_.services().headless)
            endUnattended(scanned ? 0 : 1);
        return;
    }
}

QString CommandLineJobs::dosFileName(const QString& fileName) const
{
    if (!fileName.startsWith(QLatin1Char('/')))
        return fileName;
    return form_.services().drives.dosPathForHostPath(fileName);
}

QString CommandLineJobs::serverProblems(const QString& fileName) const
{
    const DriveMap& drives = form_.services().drives;
    const auto letter = driveLetterOf(fileName);
    const QStringList problems =
        letter ? QStringList{drives.serverProblem(*letter)} : drives.serverProblems();
    QString text;
    for (const QString& problem : problems)
        text += serverProblemText(problem);
    return text;
}

bool CommandLineJobs::scan(const QString& fileName)
{
    form_.browser().pointAt(fileName);
    form_.Command1->setVisible(true);
    form_.scan().Command1_Click();
    return form_.scan().lastOutcome() == ScanEngine::Outcome::Completed;
}

void CommandLineJobs::clearAllUsers()
{
    if (form_.List1->count() == 0)
        return;
    form_.selection().Command14_Click();
    if (form_.List1->selectedItems().isEmpty())
        return;
    form_.NoClearPrompt = true;
    form_.clearConnection().Command13_Click();
    form_.NoClearPrompt = false;
}

bool CommandLineJobs::writeUsers(const CommandLineJob& job)
{
    // A DOS path goes through the drive map; a host path or one relative to the
    // current directory is used as it is.
    static const QRegularExpression dosPath(QStringLiteral("^[A-Za-z]:"));
    const DriveMap& drives = form_.services().drives;
    QString target = job.outputFile;
    const bool onDrive = dosPath.match(target).hasMatch();
    if (onDrive)
        target = hostPathOf(drives, target);
    // A drive whose files are on a server, not here, is written over the network.
    const bool remote = onDrive && target.isEmpty() && filesOf(drives, job.outputFile);
    if (target.isEmpty() && !remote) {
        printToStandardError(QStringLiteral("Unable to write the output file '") + job.outputFile +
                             QStringLiteral("'."));
        return false;
    }
    QString text = outputStamp(form_.services().clock.now()) + QStringLiteral("\r\n");
    text += job.fileName + QStringLiteral("\r\n");
    for (int i = 0; i < form_.List1->count(); ++i)
        text += form_.List1->item(i)->text() + QStringLiteral("\r\n");
    // " > " replaces the old report only once the new one is written whole; " >> "
    // leaves the report as it was when the block cannot be added whole.
    const QByteArray bytes = text.toLocal8Bit();
    QString error;
    const bool append = job.kind == CommandLineJobKind::ScanAndAppend;
    bool written = false;
    if (remote) {
        // A server has no append that can be undone: the report is written
        // anew with the block added, and replaces the old one whole.
        const auto old = FileExists(drives, job.outputFile)
                             ? readDriveFile(drives, job.outputFile, &error)
                             : std::optional<QByteArray>(QByteArray());
        written =
            old && replaceDriveFile(drives, job.outputFile, append ? *old + bytes : bytes, &error);
    } else {
        written =
            append ? appendToFile(target, bytes, &error) : replaceFile(target, bytes, &error, true);
    }
    if (!written) {
        printToStandardError(QStringLiteral("Unable to write the output file ") + error +
                             QLatin1Char('.'));
        return false;
    }
    return true;
}

void CommandLineJobs::clearLockSets()
{
    // No path has been parsed yet, so the program holds no connection: the job
    // opens one to every server the settings name.
    const QStringList failures =
        clearLockSetsOnServers(form_.client(), form_.services().settings.keys(kServersSection));
    if (failures.isEmpty()) {
        end(0);
        return;
    }
    if (form_.services().headless) {
        for (const QString& failure : failures)
            printToStandardError(failure);
        end(1);
        return;
    }
    // On the desktop the window stays up and says what was not cleared.
    form_.services().prompts.beep();
    form_.Text2->setText(failures.join(QStringLiteral("\r\n")));
}

void CommandLineJobs::end(int status)
{
    form_.lifecycle().setExitStatus(status);
    form_.lifecycle().unload();
}

void CommandLineJobs::endUnattended(int status)
{
    printToStandardError(form_.Text2->text());
    end(status);
}

} // namespace quorvex
