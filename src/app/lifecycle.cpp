#include "app/lifecycle.h"

#include "app/form1.h"

namespace quorvex {

Lifecycle::Lifecycle(Form1& form) : form_(form) {}

bool Lifecycle::Form_Load(const QString&) { return true; }
void Lifecycle::Form_Unload() {}

} // namespace quorvex
