#include "app/dialog_buttons.h"

#include "app/form1.h"
#include "app/interval_timer.h"
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
}

void DialogButtons::Command17_Click()
{
    Options options(form_);
    showModalPausingRescan(form_, options);
}

void DialogButtons::Command18_Click() {}
void DialogButtons::Command7_Click() {}

} // namespace quorvex
