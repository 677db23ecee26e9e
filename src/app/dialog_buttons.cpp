// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialog_buttons.h"

#include "about/form3.h"
#include "app/form1.h"
#include "app/interval_timer.h"
#include "fileinfo/form2.h"
#include "options/options_window.h"

#include <QPushButton>

namespace quorvex {

void showModalPausingRescan(Form1& form, QDialog& dialog)
{
    const bool wasRunning = form.Timer1->isEnabled();
    if (wasRunning)
        form.Timer1->setEnabled(false);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.exec();
    if (wasRunning)
        form.Timer1->setEnabled(true);
}

DialogButtons::DialogButtons(Form1& form) : form_(form)
{
    connect(form_.Command17, &QPushButton::clicked, this, &DialogButtons::Command17_Click);
    connect(form_.Command18, &QPushButton::clicked, this, &DialogButtons::Command18_Click);
    connect(form_.Command7, &QPushButton::clicked, this, &DialogButtons::Command7_Click);
}

void DialogButtons::Command17_Click()
{
    Options options(form_);
    showModalPausingRescan(form_, options);
}

void DialogButtons::Command18_Click()
{
    // The window loads inside the modal show (Form2::exec), so the rescan is
    // already paused while it gathers; it is discarded here, and the next
    // opening reads the file selection afresh.
    Form2 window(form_);
    showModalPausingRescan(form_, window);
}

void DialogButtons::Command7_Click()
{
    Form3 window(form_.services(), &form_);
    showModalPausingRescan(form_, window);
}

} // namespace quorvex
