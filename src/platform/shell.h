// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace quorvex {

// Starting other programs. Failures are answered, never thrown.
class Shell
{
public:
    virtual ~Shell() = default;

    // Opens a file with the desktop's default viewer for its type.
    virtual bool openDocument(const QString& hostPath) = 0;

    // The program the desktop uses for text/html (a web browser), as an
    // absolute path; empty when there is none.
    virtual QString findBrowser() = 0;

    // Starts a program on its own; false when it could not be started.
    virtual bool startProgram(const QString& program, const QStringList& args) = 0;
};

} // namespace quorvex
