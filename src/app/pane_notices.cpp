// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pane_notices.h"

#include "app/form1.h"
#include "app/message_pane.h"
#include "scan/scan_engine.h"

namespace quorvex {

namespace {
constexpr int kRetryMs = 100;
}

PaneNotices::PaneNotices(Form1& form) : QObject(&form), form_(form)
{
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &PaneNotices::flush);
}

void PaneNotices::add(const QString& text)
{
    pending_.append(text);
    if (!timer_.isActive())
        timer_.start(0);
}

void PaneNotices::flush()
{
    if (form_.scan().isRunning()) {
        timer_.start(kRetryMs);
        return;
    }
    QString text = form_.Text2->text();
    if (!text.isEmpty() && !text.endsWith(QLatin1String("\r\n")))
        text += QLatin1String("\r\n");
    for (const QString& notice : std::as_const(pending_))
        text += notice + QLatin1String("\r\n");
    pending_.clear();
    form_.Text2->setText(text);
}

} // namespace quorvex
