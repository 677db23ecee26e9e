#include "scan/watch.h"

#include "app/form1.h"

namespace quorvex {

Watch::Watch(Form1& form) : form_(form) {}

void Watch::logActivity() {}
void Watch::autoClear() {}
void Watch::notifyFileInUse() {}
void Watch::notifyFileFree() {}
void Watch::rearmRescan() {}

} // namespace quorvex
