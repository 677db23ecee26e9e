// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printer.h"

namespace quorvex {

// The system's default printer (CUPS).
class DefaultPrinter : public Printer
{
public:
    PrintOutcome print(const QString& fontFamily, const QList<PrintLine>& lines) override;
};

} // namespace quorvex
