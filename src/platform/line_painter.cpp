// SPDX-License-Identifier: GPL-3.0-or-later
#include "line_painter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

namespace quorvex {

namespace {
constexpr int kPointSize = 10;
}

bool paintLines(QPrinter& printer, const QString& fontFamily, const QList<PrintLine>& lines)
{
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setCopyCount(1);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;

    QFont regular(fontFamily, kPointSize);
    regular.setStyleHint(QFont::TypeWriter); // fixed pitch even where the family is missing
    QFont bold = regular;
    bold.setBold(true);

    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const int pageHeight = page.height();
    int y = 0;
    for (const PrintLine& line : lines) {
        painter.setFont(line.bold ? bold : regular);
        const QFontMetrics metrics(painter.font(), &printer);
        if (y + metrics.height() > pageHeight && y > 0) {
            if (!printer.newPage())
                break;
            y = 0;
        }
        painter.drawText(0, y + metrics.ascent(), line.text);
        y += metrics.lineSpacing();
    }
    return painter.end();
}

} // namespace quorvex
