// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop_prompts.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>

namespace quorvex {

namespace {

QMessageBox::Icon qtIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::None:
        return QMessageBox::NoIcon;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton qtButton(Answer answer)
{
    switch (answer) {
    case Answer::Ok:
        return QMessageBox::Ok;
    case Answer::Cancel:
        return QMessageBox::Cancel;
    case Answer::Yes:
        return QMessageBox::Yes;
    case Answer::No:
        return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButtons qtButtons(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::Ok:
        return QMessageBox::Ok;
    case MsgButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

} // namespace

Answer DesktopPrompts::messageBox(const QString& text, const QString& title, MsgIcon icon,
                                  MsgButtons buttons, Answer defaultButton)
{
    const Answer fallback = effectiveDefault(buttons, defaultButton);
    QMessageBox box(qtIcon(icon), title, text, qtButtons(buttons), m_parent);
    box.setDefaultButton(qtButton(fallback));
    // Esc and the title bar's close button: Cancel where the box has it,
    // otherwise the default (a Yes/No box closed this way keeps its default).
    box.setEscapeButton(
        qtButton(buttonsInclude(buttons, Answer::Cancel) ? Answer::Cancel : fallback));
    switch (box.exec()) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return fallback;
    }
}

std::optional<QString> DesktopPrompts::inputBox(const QString& prompt, const QString& title,
                                                const QString& defaultText)
{
    bool ok = false;
    const QString text =
        QInputDialog::getText(m_parent, title, prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

std::optional<QString> DesktopPrompts::passwordBox(const QString& prompt, const QString& title)
{
    bool ok = false;
    const QString text =
        QInputDialog::getText(m_parent, title, prompt, QLineEdit::Password, QString(), &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

void DesktopPrompts::beep()
{
    QApplication::beep();
}

void DesktopPrompts::showNotification(const QString& text, const QString& title, MsgIcon icon)
{
    // No parent: the box is a top-level window of its own that outlives the
    // handler which showed it and is found again by its title.
    auto* box = new QMessageBox(qtIcon(icon), title, text, QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->setWindowFlag(Qt::WindowStaysOnTopHint);
    box->show();
    box->raise();
    box->activateWindow();
}

bool DesktopPrompts::raiseWindowTitled(const QString& titlePrefix)
{
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (!window->isVisible() || !window->windowTitle().startsWith(titlePrefix))
            continue;
        if (window->isMinimized())
            window->showNormal();
        window->raise();
        window->activateWindow();
        return true;
    }
    return false;
}

} // namespace quorvex
