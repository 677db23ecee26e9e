#include "reports/reports.h"

#include "app/form1.h"

namespace quorvex {

Reports::Reports(Form1& form) : form_(form) {}

void Reports::Command4_Click() {}
void Reports::Command5_Click() {}

} // namespace quorvex
