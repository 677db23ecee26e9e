// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/message_pane.h"

#include "platform/dialog_units.h"

#include <QEvent>

namespace quorvex {

MessagePane::MessagePane(QWidget* parent) : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setClassicTabStops();
}

void MessagePane::changeEvent(QEvent* event)
{
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        setClassicTabStops();
}

void MessagePane::setClassicTabStops()
{
    setTabStopDistance(8 * averageCharWidth(font()));
}

void MessagePane::setText(const QString& text)
{
    text_ = text;
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setPlainText(shown);
    if (observer_ && !text.isEmpty())
        observer_(text);
}

void MessagePane::append(const QString& text)
{
    setText(text_ + text);
}

void MessagePane::setWriteObserver(std::function<void(const QString&)> observer)
{
    observer_ = std::move(observer);
}

} // namespace quorvex
