// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/rescan_controls.h"

#include "app/form1.h"
#include "app/interval_timer.h"
#include "platform/attempt_origin.h"
#include "platform/services.h"
#include "scan/scan_engine.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace quorvex {

RescanControls::RescanControls(Form1& form) : form_(form)
{
    // toggled, not clicked: unchecking the box from code (the prepared-file copy)
    // must stop the timer as a click does.
    connect(form_.Check1, &QCheckBox::toggled, this, &RescanControls::Check1_Click);
    connect(form_.Text3, &QLineEdit::textChanged, this, &RescanControls::Text3_Change);
    connect(form_.Timer1, &IntervalTimer::timeout, this, &RescanControls::Timer1_Timer);
    connect(form_.Command9, &QPushButton::clicked, this, &RescanControls::Command9_Click);
    form_.Text3->installEventFilter(this);
}

void RescanControls::Check1_Click()
{
    form_.Timer1->setEnabled(form_.Check1->isChecked());
}

int RescanControls::secondsFromText(const QString& text)
{
    // Saturates instead of overflowing, however many digits were pasted in.
    int seconds = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        seconds = seconds * 10 + (c.unicode() - '0');
        if (seconds > kMaxSeconds)
            return kMaxSeconds + 1;
    }
    return seconds;
}

void RescanControls::Text3_Change()
{
    int seconds = secondsFromText(form_.Text3->text());
    if (seconds > kMaxSeconds) {
        seconds = kMaxSeconds;
        // Re-enters this handler once with "65", which is within range.
        form_.Text3->setText(QString::number(kMaxSeconds));
    }
    form_.Timer1->setInterval(seconds * 1000);
}

void RescanControls::Timer1_Timer()
{
    // A tick that comes while a scan is still in its client loop is dropped; the
    // next tick after it finishes scans again.
    if (form_.scan().isRunning())
        return;
    // The scan and what follows it (auto-clear) are the timer's, not a person's.
    const AttemptOrigin::Automatic automatic(form_.services().origin);
    form_.scan().Command1_Click();
}

void RescanControls::Command9_Click()
{
    form_.stopRequested = true;
}

void RescanControls::rearm()
{
    form_.Check1->setVisible(true);
    form_.Text3->setVisible(true);
    form_.Timer1->setEnabled(form_.Check1->isChecked());
}

bool RescanControls::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == form_.Text3 && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        // Keys that type nothing (arrows, Delete, Home) are not key presses of
        // the box; of those that type, digits and backspace pass.
        if (text.isEmpty() || key->key() == Qt::Key_Delete)
            return false;
        const bool digit =
            text.size() == 1 && text.at(0) >= QLatin1Char('0') && text.at(0) <= QLatin1Char('9');
        const bool backspace = key->key() == Qt::Key_Backspace;
        return !(digit || backspace);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace quorvex
