#include "app/message_pane.h"

namespace quorvex {

MessagePane::MessagePane(QWidget* parent) : QPlainTextEdit(parent)
{
    setReadOnly(true);
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
