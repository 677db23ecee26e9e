#include "actions/clear_connection.h"

#include "app/form1.h"

namespace quorvex {

ClearConnectionAction::ClearConnectionAction(Form1& form) : form_(form) {}

void ClearConnectionAction::Command13_Click() {}

} // namespace quorvex
