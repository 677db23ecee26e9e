// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "clipboard.h"

namespace quorvex {

// QGuiApplication's clipboard; needs the application object.
class SystemClipboard : public Clipboard
{
public:
    void setText(const QString& text) override;
    QString text() const override;
};

} // namespace quorvex
