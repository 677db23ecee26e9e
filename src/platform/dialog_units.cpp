// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialog_units.h"

#include <QFontMetricsF>

namespace quorvex {

double averageCharWidth(const QFont& font)
{
    static const QString kAlphabet =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return QFontMetricsF(font).horizontalAdvance(kAlphabet) / 52.0;
}

} // namespace quorvex
