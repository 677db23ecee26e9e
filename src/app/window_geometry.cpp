// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/window_geometry.h"

#include "platform/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace quorvex {

namespace {

const QScreen* screenOf(const QWidget& window)
{
    const QScreen* screen = window.screen();
    return screen ? screen : QGuiApplication::primaryScreen();
}

} // namespace

QSize nonClientPixels(const QWidget& window)
{
    const TwipsPerPixel tpp = twipsPerPixel(window);
    return {pixelsFromTwips(kNonClientWidthTwips, tpp.x),
            pixelsFromTwips(kNonClientHeightTwips, tpp.y)};
}

double windowWidthTwips(const QWidget& window)
{
    const TwipsPerPixel tpp = twipsPerPixel(window);
    return twipsFromPixels(window.width(), tpp.x) + kNonClientWidthTwips;
}

double windowHeightTwips(const QWidget& window)
{
    const TwipsPerPixel tpp = twipsPerPixel(window);
    return twipsFromPixels(window.height(), tpp.y) + kNonClientHeightTwips;
}

void setWindowWidthTwips(QWidget& window, double twips)
{
    const TwipsPerPixel tpp = twipsPerPixel(window);
    window.resize(pixelsFromTwips(twips - kNonClientWidthTwips, tpp.x), window.height());
}

void setWindowHeightTwips(QWidget& window, double twips)
{
    const TwipsPerPixel tpp = twipsPerPixel(window);
    window.resize(window.width(), pixelsFromTwips(twips - kNonClientHeightTwips, tpp.y));
}

QSize screenSizePixels(const QWidget& window)
{
    const QScreen* screen = screenOf(window);
    return screen ? screen->geometry().size() : QSize(1024, 768);
}

double screenWidthTwips(const QWidget& window)
{
    return twipsFromPixels(screenSizePixels(window).width(), twipsPerPixel(window).x);
}

double screenHeightTwips(const QWidget& window)
{
    return twipsFromPixels(screenSizePixels(window).height(), twipsPerPixel(window).y);
}

void placeCentred(QWidget& window)
{
    const QScreen* screen = screenOf(window);
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const QSize outer = window.size() + nonClientPixels(window);
    window.move(area.x() + (area.width() - outer.width()) / 2,
                area.y() + (area.height() - outer.height()) / 2);
}

} // namespace quorvex
