// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>

class QWidget;

namespace quorvex {

// The window sizes the program stores and limits are outer sizes (border and
// title bar included), in twips. Qt sizes a window by its inner area, and the
// frame a window manager draws is only known once the window is shown, so the
// border and title bar are counted as the design's: the design outer size
// 8775 x 6285 twips less the design inner size 8685 x 5910. Using the same
// amount both ways means a stored size comes back exactly on the next run.
inline constexpr double kNonClientWidthTwips = 8775 - 8685;
inline constexpr double kNonClientHeightTwips = 6285 - 5910;

// The border and title bar in pixels of the window's screen.
QSize nonClientPixels(const QWidget& window);

// Outer width and height in twips.
double windowWidthTwips(const QWidget& window);
double windowHeightTwips(const QWidget& window);
void setWindowWidthTwips(QWidget& window, double twips);
void setWindowHeightTwips(QWidget& window, double twips);

// The screen's width and height in twips.
QSize screenSizePixels(const QWidget& window);
double screenWidthTwips(const QWidget& window);
double screenHeightTwips(const QWidget& window);

// Where the window starts: centred on its screen.
void placeCentred(QWidget& window);

} // namespace quorvex
