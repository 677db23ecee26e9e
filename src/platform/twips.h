// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QFont;
class QRect;
class QScreen;
class QWidget;

namespace quorvex {

// Geometry is kept in twips, 1440 to the inch; a pixel is 1440 / logical DPI
// twips, horizontally and vertically apart.
inline constexpr double kTwipsPerInch = 1440.0;
inline constexpr double kFallbackDpi = 96.0;

struct TwipsPerPixel
{
    double x = kTwipsPerInch / kFallbackDpi;
    double y = kTwipsPerInch / kFallbackDpi;
};

// 1440 / dpi; a missing or nonsensical DPI counts as 96.
double twipsPerPixelForDpi(double dpi);

// The screen's factors (the primary screen when none is given; 96 DPI without one).
TwipsPerPixel twipsPerPixel(const QScreen* screen = nullptr);

// The layouts in twips were drawn for the classic dialog font, whose average
// character (the 52 letters' width / 52) is 6 pixels wide and whose line is 13
// pixels high at 96 DPI: 90 by 195 twips.
inline constexpr double kDesignCharWidthTwips = 90.0;
inline constexpr double kDesignCharHeightTwips = 195.0;

// How many times larger than that a font is, across and down, on a screen with
// the given factors; never below 1, so a small font keeps the design's size.
struct FontScale
{
    double x = 1.0;
    double y = 1.0;
};
FontScale fontScale(const QFont& font, const TwipsPerPixel& screen);

// A window's own factors: its screen's, divided by the scale of the font the
// window uses. Every twips value of a window goes through them (its controls,
// its size, its limits), so the whole layout grows with its text as a classic
// dialog grows with its font, and a size stored in twips comes back the same.
TwipsPerPixel twipsPerPixel(const QWidget& window);

// Twips to pixels, rounded to the nearest whole pixel.
int pixelsFromTwips(double twips, double twipsPerPixel);
double twipsFromPixels(int pixels, double twipsPerPixel);

// A control's design geometry in twips: Left, Top, Width, Height.
struct TwipsRect
{
    int left, top, width, height;
};

// The rectangle in pixels on a window, by the window's own factors.
QRect pixelRect(const QWidget& window, const TwipsRect& r);

} // namespace quorvex
