#include "twips.h"

#include <QGuiApplication>
#include <QPaintDevice>
#include <QRect>
#include <QScreen>

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

QRect pixelRect(const QPaintDevice& window, const TwipsRect& r)
{
    const double tx = twipsPerPixelForDpi(window.logicalDpiX());
    const double ty = twipsPerPixelForDpi(window.logicalDpiY());
    return QRect(pixelsFromTwips(r.left, tx), pixelsFromTwips(r.top, ty),
                 pixelsFromTwips(r.width, tx), pixelsFromTwips(r.height, ty));
}

} // namespace quorvex
