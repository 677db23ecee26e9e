// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/reports.h"

#include "app/form1.h"
#include "app/message_pane.h"
#include "files/file_browser.h"
#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/printer.h"
#include "platform/prompts.h"
#include "platform/services.h"

#include <QApplication>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>

namespace quorvex {

namespace {

// Lines of the report set apart in print: the path and the time stamp.
constexpr int kHeaderLines = 2;

} // namespace

Reports::Reports(Form1& form) : form_(form)
{
    connect(form.Command4, &QPushButton::clicked, this, &Reports::Command4_Click);
    connect(form.Command5, &QPushButton::clicked, this, &Reports::Command5_Click);
}

QString Reports::timeStamp(const QDateTime& when)
{
    // The C locale's designators are "AM"/"PM"; "ap" asks for them in lower case.
    return QLocale::c().toString(when, QStringLiteral("MM/dd/yy hh:mm ap"));
}

QStringList Reports::reportLines() const
{
    // The file list's selection now, not the file of the last scan; the same
    // join as the scan's path, so a file in a drive's root gets one "\".
    const FileBrowser& browser = form_.browser();
    QStringList lines{browser.directoryPrefix() + browser.selectedFile(),
                      timeStamp(form_.services().clock.now()), QString()};
    const int count = form_.List1->count();
    for (int i = 0; i < count; ++i)
        lines.append(form_.List1->item(i)->text());
    lines.append(QString());
    lines.append(QString::number(count) + QStringLiteral(" users"));
    return lines;
}

void Reports::Command4_Click()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QList<PrintLine> printed;
    const QStringList lines = reportLines();
    for (int i = 0; i < lines.size(); ++i)
        printed.append({lines[i], i < kHeaderLines});
    const PrintOutcome outcome =
        form_.services().printer.print(QStringLiteral("Courier New"), printed);
    QApplication::restoreOverrideCursor();
    if (outcome == PrintOutcome::Printed) {
        form_.Text2->setText(QStringLiteral("Report printed."));
        return;
    }
    // Saying "printed" would send the user to look for a page that never comes;
    // and a printer that is there but failed needs other help than none at all.
    form_.services().prompts.beep();
    form_.Text2->setText(outcome == PrintOutcome::NoPrinter
                             ? QStringLiteral("Report not printed: no printer available.")
                             : QStringLiteral("Report not printed: the printer could not start "
                                              "the job."));
}

void Reports::Command5_Click()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString text = reportLines().join(QStringLiteral("\r\n"));
    form_.services().clipboard.setText(text);
    QApplication::restoreOverrideCursor();
    form_.Text2->setText(QString::number(text.size()) +
                         QStringLiteral(" bytes copied to the clipboard."));
}

} // namespace quorvex
