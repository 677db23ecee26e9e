// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/printer.h"

namespace quorvex {

// Keeps each printed document instead of printing it.
class RecordingPrinter : public Printer
{
public:
    struct Document
    {
        QString fontFamily;
        QList<PrintLine> lines;
    };

    PrintOutcome result = PrintOutcome::Printed;
    QList<Document> documents;

    PrintOutcome print(const QString& fontFamily, const QList<PrintLine>& lines) override
    {
        documents.append({fontFamily, lines});
        return result;
    }
};

} // namespace quorvex
