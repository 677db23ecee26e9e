#pragma once

class QPaintDevice;
class QRect;
class QScreen;

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

// Twips to pixels, rounded to the nearest whole pixel.
int pixelsFromTwips(double twips, double twipsPerPixel);
double twipsFromPixels(int pixels, double twipsPerPixel);

// A control's design geometry in twips: Left, Top, Width, Height.
struct TwipsRect
{
    int left, top, width, height;
};

// The rectangle in pixels on a window (or any paint device), by its logical DPI.
QRect pixelRect(const QPaintDevice& window, const TwipsRect& r);

} // namespace quorvex
