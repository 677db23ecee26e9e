// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

namespace quorvex {

// The design geometry of one control, in twips, and its design font size.
// A value the control does not have stays 0.
struct ControlRecord
{
    QPointer<QWidget> control;
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
    float fontSize = 0; // points
};

// Keeps a window's controls in proportion: the layout is recorded once while
// the window has its design size, and every resize scales positions and sizes
// by the window's growth. Only buttons and labels scale their fonts (by the
// smaller of the two ratios), so text in lists and boxes stays readable.
class ControlLayout
{
public:
    void RecordControlLayout(const QWidget& window);
    void ResizeControls(QWidget& window) const;

    bool isRecorded() const { return designScaleWidth_ > 0 && designScaleHeight_ > 0; }
    float designScaleWidth() const { return designScaleWidth_; }
    float designScaleHeight() const { return designScaleHeight_; }
    const QList<ControlRecord>& records() const { return records_; }

private:
    QList<ControlRecord> records_;
    float designScaleWidth_ = 0;
    float designScaleHeight_ = 0;
};

} // namespace quorvex
