#include "actions/user_selection.h"

#include "app/form1.h"

namespace quorvex {

UserSelection::UserSelection(Form1& form) : form_(form) {}

void UserSelection::List1_Click() {}
void UserSelection::Command14_Click() {}
void UserSelection::Command15_Click() {}
void UserSelection::Command16_Click() {}
QString UserSelection::selectionPhrase() const { return {}; }
QString UserSelection::lineTarget(int) const { return {}; }

} // namespace quorvex
