#include "app/dialog_buttons.h"

#include "app/form1.h"

namespace quorvex {

DialogButtons::DialogButtons(Form1& form) : form_(form) {}

void DialogButtons::Command17_Click() {}
void DialogButtons::Command18_Click() {}
void DialogButtons::Command7_Click() {}

} // namespace quorvex
