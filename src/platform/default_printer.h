#pragma once

#include "printer.h"

namespace quorvex {

// The system's default printer (CUPS); print() answers false when there is none.
class DefaultPrinter : public Printer
{
public:
    bool print(const QString& fontFamily, const QList<PrintLine>& lines) override;
};

} // namespace quorvex
