// SPDX-License-Identifier: GPL-3.0-or-later
#include "system_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace quorvex {

void SystemClipboard::setText(const QString& text)
{
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        clipboard->clear();
        clipboard->setText(text);
    }
}

QString SystemClipboard::text() const
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard ? clipboard->text() : QString();
}

} // namespace quorvex
