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

    bool result = true; // false: behaves like a machine without a printer
    QList<Document> documents;

    bool print(const QString& fontFamily, const QList<PrintLine>& lines) override
    {
        documents.append({fontFamily, lines});
        return result;
    }
};

} // namespace quorvex
