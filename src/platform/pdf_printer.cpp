// SPDX-License-Identifier: GPL-3.0-or-later
#include "pdf_printer.h"

#include "line_painter.h"

#include <QPrinter>

namespace quorvex {

PrintOutcome PdfPrinter::print(const QString& fontFamily, const QList<PrintLine>& lines)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(m_path);
    return paintLines(printer, fontFamily, lines) ? PrintOutcome::Printed : PrintOutcome::Failed;
}

} // namespace quorvex
