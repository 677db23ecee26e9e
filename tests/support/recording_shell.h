// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/shell.h"

#include <QList>

namespace quorvex {

// Records what the program asked the shell to start and answers as scripted.
class RecordingShell : public Shell
{
public:
    struct Call
    {
        QString what;    // "openDocument", "findBrowser", "startProgram"
        QString program; // the document for openDocument
        QStringList args;
    };

    bool openResult = true;
    QString browser = QStringLiteral("/usr/bin/test-browser"); // empty: no browser
    bool startResult = true;

    QList<Call> calls;

    bool openDocument(const QString& hostPath) override
    {
        calls.append({QStringLiteral("openDocument"), hostPath, {}});
        return openResult;
    }
    QString findBrowser() override
    {
        calls.append({QStringLiteral("findBrowser"), {}, {}});
        return browser;
    }
    bool startProgram(const QString& program, const QStringList& args) override
    {
        calls.append({QStringLiteral("startProgram"), program, args});
        return startResult;
    }
};

} // namespace quorvex
