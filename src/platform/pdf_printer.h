// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printer.h"

namespace quorvex {

// Prints into a PDF file (tests, and runs without a printer).
class PdfPrinter : public Printer
{
public:
    explicit PdfPrinter(const QString& pdfPath) : m_path(pdfPath) {}
    PrintOutcome print(const QString& fontFamily, const QList<PrintLine>& lines) override;

private:
    QString m_path;
};

} // namespace quorvex
