// SPDX-License-Identifier: GPL-3.0-or-later
#include "actions/user_details.h"

#include "app/settings.h"
#include "scan/connection_info.h"
#include "scan/result_text.h"

namespace quorvex {

QString userDetailText(const ConnectionInfo* record, const QString& lineText,
                       const Settings& settings, DetailForm form)
{
    const bool pane = form == DetailForm::Pane;
    const QString crlf = QStringLiteral("\r\n");
    QString text;
    // The pane separators keep the values in one column for the label lengths.
    auto line = [&](const char* label, const char* paneSeparator, const QString& value) {
        text += QLatin1String(label);
        if (pane)
            text += QLatin1String(paneSeparator);
        text += value;
    };

    if (record) {
        line("File: ", "\t\t", record->fileName);
        text += crlf;
    }
    line("User: ", "\t\t", lineText);
    text += crlf;
    if (!record)
        return text;

    if (settings.ConnNo) {
        line("Connection No: ", "\t", QString::number(record->connNo));
        text += crlf;
    }
    if (settings.TaskNo) {
        line("Task No: ", "\t\t", QString::number(record->taskNo));
        text += crlf;
    }
    if (settings.Opened) {
        line("Opened: ", "\t\t", openedText(record->opened));
        text += crlf;
    }
    if (settings.FileRights) {
        line("File Rights: ", "\t", fileRightsText(record->fileRights));
        text += crlf;
    }
    if (settings.DirRights) {
        line("Directory Rights: ", "\t", record->dirRights);
        text += crlf;
    }
    if (settings.Locked) {
        line("Locked: ", "\t\t", lockedText(record->locked));
        text += crlf;
    }
    if (settings.Login) {
        line("Login: ", "\t\t", record->login);
        text += crlf;
    }
    if (settings.Address)
        line("Address: ", "\t\t", record->address); // the last line has no break
    return text;
}

} // namespace quorvex
