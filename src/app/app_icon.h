#pragma once

#include <QIcon>

namespace quorvex {

// The program's icon, drawn rather than shipped: a file with a person's head on
// it, readable at tray size.
QIcon appIcon();

} // namespace quorvex
