// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPlainTextEdit>

#include <functional>

namespace quorvex {

// The message pane. It keeps its text exactly as the program wrote it (lines end
// in CR LF) so that what is copied, counted and compared is the program's own
// text; the view shows the same text with plain line breaks.
class MessagePane : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit MessagePane(QWidget* parent = nullptr);

    QString text() const { return text_; }
    void setText(const QString& text);
    void append(const QString& text);
    void clear() { setText(QString()); }

    // Called with every text written to the pane (headless runs copy error lines
    // to standard error).
    void setWriteObserver(std::function<void(const QString&)> observer);

protected:
    void changeEvent(QEvent* event) override;

private:
    // Tab stops every 8 average character widths, as a classic edit control
    // sets them, so that the labels of the details line their values up.
    void setClassicTabStops();

    QString text_;
    std::function<void(const QString&)> observer_;
};

} // namespace quorvex
