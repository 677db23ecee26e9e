// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

namespace quorvex {

// The smallest and largest size a window may be dragged to, in pixels of its
// outer size (frame included).
struct SizeLimit
{
    QPointer<QWidget> window;
    int minWidth = 0;
    int minHeight = 0;
    int maxWidth = 0;
    int maxHeight = 0;
};

// A growing table of size limits, one record per window handed over. The
// window's minimum and maximum size are what keeps it within them: Qt asks
// those where the window procedure answered WM_GETMINMAXINFO.
class SizeLimits
{
public:
    // Sizes in twips, outer size; converted to pixels with the screen's
    // horizontal and vertical factors, rounded to the nearest pixel.
    void LimitWindowSize(QWidget& window, double minWidth, double minHeight, double maxWidth,
                         double maxHeight);

    // Applies the last record for the window; false when there is none.
    bool SizeLimitWndProc(QWidget& window) const;

    const QList<SizeLimit>& records() const { return records_; }

private:
    QList<SizeLimit> records_;
};

} // namespace quorvex
