// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "prompts.h"

class QWidget;

namespace quorvex {

// Prompts on the desktop: QMessageBox, QInputDialog, QApplication::beep.
class DesktopPrompts : public Prompts
{
public:
    // Boxes are centred on parent (the main window) when one is given.
    explicit DesktopPrompts(QWidget* parent = nullptr) : m_parent(parent) {}

    void setParent(QWidget* parent) { m_parent = parent; }

    Answer messageBox(const QString& text, const QString& title, MsgIcon icon, MsgButtons buttons,
                      Answer defaultButton) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText) override;
    std::optional<QString> passwordBox(const QString& prompt, const QString& title) override;
    void beep() override;
    void showNotification(const QString& text, const QString& title, MsgIcon icon) override;
    bool raiseWindowTitled(const QString& titlePrefix) override;

private:
    QWidget* m_parent = nullptr;
};

} // namespace quorvex
