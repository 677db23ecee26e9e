#include "locks/file_locks.h"

#include "app/form1.h"

namespace quorvex {

FileLocks::FileLocks(Form1& form) : form_(form) {}

void FileLocks::Command11_Click() {}

} // namespace quorvex
