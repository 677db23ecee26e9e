// SPDX-License-Identifier: GPL-3.0-or-later
#include "default_printer.h"

#include "line_painter.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace quorvex {

PrintOutcome DefaultPrinter::print(const QString& fontFamily, const QList<PrintLine>& lines)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return PrintOutcome::NoPrinter;
    QPrinter printer(info, QPrinter::HighResolution);
    return paintLines(printer, fontFamily, lines) ? PrintOutcome::Printed : PrintOutcome::Failed;
}

} // namespace quorvex
