// SPDX-License-Identifier: GPL-3.0-or-later
#include "standard_error.h"

#include <cstdio>

namespace quorvex {

void printToStandardError(const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (shown.isEmpty())
        return;
    if (!shown.endsWith(QLatin1Char('\n')))
        shown += QLatin1Char('\n');
    std::fputs(shown.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

} // namespace quorvex
