// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

namespace quorvex {

struct PrintLine
{
    QString text;
    bool bold = false;
};

enum class PrintOutcome
{
    Printed,
    NoPrinter, // the system has no printer to print on
    Failed,    // there is one, but the job could not be started
};

// Prints lines of text in one font, portrait, one copy, the printer's paper.
class Printer
{
public:
    virtual ~Printer() = default;
    virtual PrintOutcome print(const QString& fontFamily, const QList<PrintLine>& lines) = 0;
};

} // namespace quorvex
