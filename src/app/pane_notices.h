// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Notices for the message pane that do not belong to the handler running
// (what a server said of a login). A notice that comes while a scan runs
// would be wiped by the scan's own text, so it waits and is added after the
// scan is over, or after the handler that caused it has written its lines.

#include <QObject>
#include <QStringList>
#include <QTimer>

namespace quorvex {

class Form1;

class PaneNotices : public QObject
{
    Q_OBJECT
public:
    explicit PaneNotices(Form1& form);

    void add(const QString& text);

private:
    void flush();

    Form1& form_;
    QStringList pending_;
    QTimer timer_;
};

} // namespace quorvex
