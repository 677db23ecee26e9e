// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QString>

namespace quorvex {

// The program's icon (a file with the badge of its users), built from the PNG
// renditions compiled into the program, so it shows even where no icon theme
// holds it. Window and tray icon.
QIcon quorvexIcon();

// The name of the desktop entry the program is installed under, without
// ".desktop". Wayland compositors find the window's icon and menu entry by it.
QString desktopFileId();

// Makes quorvexIcon() every window's icon and tells the desktop which entry the
// program belongs to. Call once, right after the QApplication is created.
void applyDesktopIdentity();

} // namespace quorvex
