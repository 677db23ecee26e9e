// SPDX-License-Identifier: GPL-3.0-or-later
#include "twips.h"

#include "dialog_units.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace quorvex {

double twipsPerPixelForDpi(double dpi)
{
    if (!(dpi > 0.0) || !std::isfinite(dpi))
        dpi = kFallbackDpi;
    return kTwipsPerInch / dpi;
}

TwipsPerPixel twipsPerPixel(const QScreen* screen)
{
    if (!screen && qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    return {twipsPerPixelForDpi(screen->logicalDotsPerInchX()),
            twipsPerPixelForDpi(screen->logicalDotsPerInchY())};
}

FontScale fontScale(const QFont& font, const TwipsPerPixel& screen)
{
    // A line takes whole pixels: the height rounded up is what the text needs.
    const double width = averageCharWidth(font) * screen.x;
    const double height = QFontMetrics(font).height() * screen.y;
    return {std::max(1.0, width / kDesignCharWidthTwips),
            std::max(1.0, height / kDesignCharHeightTwips)};
}

TwipsPerPixel twipsPerPixel(const QWidget& window)
{
    const QScreen* screen = window.screen();
    const TwipsPerPixel base = screen ? twipsPerPixel(screen)
                                      : TwipsPerPixel{twipsPerPixelForDpi(window.logicalDpiX()),
                                                      twipsPerPixelForDpi(window.logicalDpiY())};
    const FontScale scale = fontScale(window.font(), base);
    return {base.x / scale.x, base.y / scale.y};
}

int pixelsFromTwips(double twips, double twipsPerPixel)
{
    if (!(twipsPerPixel > 0.0))
        twipsPerPixel = kTwipsPerInch / kFallbackDpi;
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

double twipsFromPixels(int pixels, double twipsPerPixel)
{
    return pixels * twipsPerPixel;
}

QRect pixelRect(const QWidget& window, const TwipsRect& r)
{
    const TwipsPerPixel tpp = twipsPerPixel(window);
    return QRect(pixelsFromTwips(r.left, tpp.x), pixelsFromTwips(r.top, tpp.y),
                 pixelsFromTwips(r.width, tpp.x), pixelsFromTwips(r.height, tpp.y));
}

} // namespace quorvex
