// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/notifier.h"

#include "app/form1.h"
#include "files/directory_box.h"
#include "platform/clock.h"
#include "platform/drive_map.h"
#include "platform/file_helpers.h"
#include "platform/prompts.h"
#include "platform/services.h"
#include "scan/watch_stamps.h"

#include <QCheckBox>
#include <QListWidget>

namespace quorvex {

namespace {

QString withBackslash(const QString& dir)
{
    return dir.endsWith(QLatin1Char('\\')) ? dir : dir + QLatin1Char('\\');
}

} // namespace

Notifier::Notifier(Form1& form) : form_(form) {}

QString Notifier::notificationTitle()
{
    return QStringLiteral("Quorvex Notification Message");
}

void Notifier::fileInUse()
{
    const Settings& s = form_.settings;
    if (!form_.Check1->isChecked() || form_.List1->count() == 0 || !s.FileYes)
        return;
    Prompts& prompts = form_.services().prompts;
    if (s.ViaBeep)
        prompts.beep();
    if (s.ViaMsg) {
        showOnce(form_.lastScan.lastLoginName.toUpper() + QStringLiteral(" opened file ") +
                 form_.lastScan.fileName.toUpper() + QStringLiteral(" at ") +
                 messageStamp(form_.services().clock.now()) + QLatin1Char('.'));
    }
}

void Notifier::fileFree()
{
    const Settings& s = form_.settings;
    if (!form_.Check1->isChecked() || form_.List1->count() != 0 || !s.FileNo)
        return;
    Prompts& prompts = form_.services().prompts;
    if (s.ViaBeep)
        prompts.beep();
    if (!s.FFile.isEmpty()) {
        copyPreparedFile();
    } else if (s.ViaMsg) {
        showOnce(QStringLiteral("File ") + form_.lastScan.fileName.toUpper() +
                 QStringLiteral(" released at ") + messageStamp(form_.services().clock.now()) +
                 QLatin1Char('.'));
    }
}

void Notifier::showOnce(const QString& text)
{
    Prompts& prompts = form_.services().prompts;
    if (prompts.raiseWindowTitled(notificationTitle()))
        return;
    prompts.showNotification(text, notificationTitle(), MsgIcon::Exclamation);
}

void Notifier::copyPreparedFile()
{
    // The rescan stops before the copy, whatever its outcome, so the prepared
    // file is put in place once.
    form_.Check1->setChecked(false);

    Settings& s = form_.settings;
    // Whatever holds the two files (a folder here, a server over the network),
    // the file in place is replaced whole or not at all.
    const DriveMap& drives = form_.services().drives;
    const auto bytes = readDriveFile(drives, copyFromDirectory() + s.FFile);
    const bool copied = bytes && replaceDriveFile(drives, browserDirectory() + s.FFile, *bytes);

    const QString stamp = messageStamp(form_.services().clock.now());
    const QString title = form_.lastScan.clientPath;
    const QString text = copied ? QStringLiteral("File ") + s.FFile.toUpper() +
                                      QStringLiteral(" copied at ") + stamp + QLatin1Char('.')
                                : QStringLiteral("Unable to copy file ") + s.FFile.toUpper() +
                                      QStringLiteral(" at ") + stamp + QLatin1Char('.');
    form_.services().prompts.showNotification(text, title, MsgIcon::Exclamation);
    if (copied)
        s.FFile.clear();
}

QString Notifier::copyFromDirectory() const
{
    // FDir may lack a drive ("\" for a new user); it then lies on the FDrive drive.
    const Settings& s = form_.settings;
    QString dir = s.FDir;
    if (!driveLetterOf(dir) && s.FDrive.size() >= 2)
        dir = s.FDrive.left(2) + dir;
    return withBackslash(dir);
}

QString Notifier::browserDirectory() const
{
    // The file browser's current directory is its directory box's path.
    return withBackslash(form_.Dir1->path());
}

} // namespace quorvex
