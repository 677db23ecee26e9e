#include "default_printer.h"

#include "line_painter.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace quorvex {

bool DefaultPrinter::print(const QString& fontFamily, const QList<PrintLine>& lines)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return false;
    QPrinter printer(info, QPrinter::HighResolution);
    return paintLines(printer, fontFamily, lines);
}

} // namespace quorvex
