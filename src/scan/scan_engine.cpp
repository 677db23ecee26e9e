#include "scan/scan_engine.h"

#include "app/form1.h"

namespace quorvex {

ScanEngine::ScanEngine(Form1& form) : form_(form) {}

void ScanEngine::Command1_Click() {}

} // namespace quorvex
