#include "app/keys_and_find.h"

#include "app/form1.h"

namespace quorvex {

KeysAndFind::KeysAndFind(Form1& form) : form_(form) {}

void KeysAndFind::Text1_Change() {}
void KeysAndFind::Command6_Click() {}

} // namespace quorvex
