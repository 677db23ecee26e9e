#include "actions/send_message.h"

#include "app/form1.h"

namespace quorvex {

SendMessage::SendMessage(Form1& form) : form_(form) {}

void SendMessage::Command12_Click() {}

} // namespace quorvex
