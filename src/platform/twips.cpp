#include "twips.h"

#include <QGuiApplication>
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

} // namespace quorvex
