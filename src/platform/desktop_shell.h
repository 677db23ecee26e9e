// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell.h"

namespace quorvex {

// Shell on the desktop: QDesktopServices for documents, the XDG MIME
// associations for the browser, QProcess::startDetached for programs.
class DesktopShell : public Shell
{
public:
    bool openDocument(const QString& hostPath) override;
    QString findBrowser() override;
    bool startProgram(const QString& program, const QStringList& args) override;
};

} // namespace quorvex
