// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/watch.h"

#include "app/form1.h"
#include "platform/app_dirs.h"
#include "platform/clock.h"
#include "platform/services.h"
#include "platform/standard_error.h"
#include "scan/activity_log.h"
#include "scan/auto_clear.h"
#include "scan/notifier.h"
#include "scan/rescan_controls.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QListWidget>

#include <utility>

namespace quorvex {

namespace {

QStringList userLines(const QListWidget& list)
{
    QStringList lines;
    lines.reserve(list.count());
    for (int i = 0; i < list.count(); ++i)
        lines.append(list.item(i)->text());
    return lines;
}

// The Options window's "Overwrite" box, when the window is open.
void uncheckOpenOverwriteBox()
{
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() != QLatin1String("Options"))
            continue;
        if (auto* box = top->findChild<QCheckBox*>(QStringLiteral("Check12")))
            box->setChecked(false);
    }
}

} // namespace

Watch::Watch(Form1& form)
    : form_(form), rescan_(std::make_unique<RescanControls>(form)),
      log_(std::make_unique<ActivityLog>()), autoClear_(std::make_unique<AutoClear>(form)),
      notifier_(std::make_unique<Notifier>(form))
{
}

Watch::~Watch() = default;

void Watch::logActivity()
{
    Settings& s = form_.settings;
    if (!s.LogFile)
        return;
    const AppDirs& dirs = form_.services().dirs;
    dirs.ensureDataDir();
    const QString path =
        QDir(dirs.dataDir()).filePath(ActivityLog::fileNameFor(form_.lastScan.fileName));
    const bool overwrite = s.Overwrite != 0;
    QString error;
    const bool written = log_->write(path, form_.lastScan.longPath, userLines(*form_.List1),
                                     form_.List2, overwrite, form_.services().clock.now(), &error);
    // Told once when the log starts failing, and again only after it has been
    // written since: a rescan every few seconds must not repeat it each time.
    if (!written && !logFailing_) {
        const QString text =
            QStringLiteral("Unable to write the activity log ") + error + QLatin1Char('.');
        if (form_.services().headless)
            printToStandardError(text);
        else
            logProblem_ = text;
    }
    logFailing_ = !written;
    if (overwrite) {
        // One fresh log per setting of the option; the following scans append.
        uncheckOpenOverwriteBox();
        s.Overwrite = 0;
    }
}

QString Watch::takeLogProblem()
{
    return std::exchange(logProblem_, QString());
}

void Watch::autoClear()
{
    autoClear_->apply();
}

void Watch::notifyFileInUse()
{
    notifier_->fileInUse();
}

void Watch::notifyFileFree()
{
    notifier_->fileFree();
}

void Watch::rearmRescan()
{
    rescan_->rearm();
}

} // namespace quorvex
