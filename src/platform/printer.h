#pragma once

#include <QList>
#include <QString>

namespace quorvex {

struct PrintLine
{
    QString text;
    bool bold = false;
};

// Prints lines of text in one font, portrait, one copy, the printer's paper.
class Printer
{
public:
    virtual ~Printer() = default;
    // False when nothing could be printed (no printer, a failed job).
    virtual bool print(const QString& fontFamily, const QList<PrintLine>& lines) = 0;
};

} // namespace quorvex
