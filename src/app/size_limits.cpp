// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/size_limits.h"

#include "app/window_geometry.h"
#include "platform/twips.h"

#include <algorithm>

namespace quorvex {

void SizeLimits::LimitWindowSize(QWidget& window, double minWidth, double minHeight,
                                 double maxWidth, double maxHeight)
{
    const TwipsPerPixel tpp = twipsPerPixel(window);
    SizeLimit r;
    r.window = &window;
    r.minWidth = pixelsFromTwips(minWidth, tpp.x);
    r.minHeight = pixelsFromTwips(minHeight, tpp.y);
    r.maxWidth = pixelsFromTwips(maxWidth, tpp.x);
    r.maxHeight = pixelsFromTwips(maxHeight, tpp.y);
    records_.append(r);
    SizeLimitWndProc(window);
}

bool SizeLimits::SizeLimitWndProc(QWidget& window) const
{
    const auto found = std::find_if(records_.crbegin(), records_.crend(),
                                    [&](const SizeLimit& r) { return r.window == &window; });
    if (found == records_.crend())
        return false;
    const QSize frame = nonClientPixels(window);
    window.setMinimumSize(std::max(0, found->minWidth - frame.width()),
                          std::max(0, found->minHeight - frame.height()));
    window.setMaximumSize(std::max(window.minimumWidth(), found->maxWidth - frame.width()),
                          std::max(window.minimumHeight(), found->maxHeight - frame.height()));
    return true;
}

} // namespace quorvex
