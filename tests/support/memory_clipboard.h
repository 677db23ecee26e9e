// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/clipboard.h"

namespace quorvex {

class MemoryClipboard : public Clipboard
{
public:
    void setText(const QString& text) override
    {
        m_text = text;
        ++setCount;
    }
    QString text() const override { return m_text; }

    int setCount = 0;

private:
    QString m_text;
};

} // namespace quorvex
