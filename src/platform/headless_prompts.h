// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "prompts.h"

#include <QFile>

class QIODevice;

namespace quorvex {

// Prompts for a run without a display: nobody can answer, so a message box
// writes its text to standard error and answers its default button, the input
// and password boxes answer Cancel, a notification writes its text, and the beep is silent.
class HeadlessPrompts : public Prompts
{
public:
    // Writes to errorStream, or to standard error when none is given.
    explicit HeadlessPrompts(QIODevice* errorStream = nullptr);

    Answer messageBox(const QString& text, const QString& title, MsgIcon icon, MsgButtons buttons,
                      Answer defaultButton) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText) override;
    std::optional<QString> passwordBox(const QString&, const QString&) override
    {
        return std::nullopt;
    }
    void beep() override {}
    void showNotification(const QString& text, const QString& title, MsgIcon icon) override;
    // No window is ever shown, so there is none to bring to the front.
    bool raiseWindowTitled(const QString&) override { return false; }

private:
    void writeLine(const QString& text);

    QFile m_stderr;
    QIODevice* m_out;
};

} // namespace quorvex
