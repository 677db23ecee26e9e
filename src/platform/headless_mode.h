// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QStringList>

namespace quorvex {

// Runs without a display (from a script or scheduler) use Qt's offscreen
// platform. The decision is made before the QApplication exists.

// True when neither DISPLAY nor WAYLAND_DISPLAY is set and the caller chose no
// platform (QT_QPA_PLATFORM, or "-platform NAME" / "--platform NAME" in the arguments).
bool needsOffscreenPlatform(const QByteArray& display, const QByteArray& waylandDisplay,
                            const QByteArray& qpaPlatform, const QStringList& arguments);

// Looks at the environment and the arguments and, when needed, sets
// QT_QPA_PLATFORM=offscreen. Call before constructing the QApplication.
// Returns whether the run is headless, and remembers it for isHeadlessRun().
bool applyHeadlessPlatform(int argc, char** argv);

// True when applyHeadlessPlatform forced the offscreen platform, or the caller
// chose a platform that shows nothing (offscreen, minimal): nobody can answer a
// message box in either case.
bool isHeadlessRun();

} // namespace quorvex
