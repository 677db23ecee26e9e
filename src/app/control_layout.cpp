// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/control_layout.h"

#include "platform/twips.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace quorvex {

namespace {

bool scalesFont(const QWidget* w)
{
    return qobject_cast<const QPushButton*>(w) || qobject_cast<const QLabel*>(w);
}

} // namespace

void ControlLayout::RecordControlLayout(const QWidget& window)
{
    const TwipsPerPixel tpp = twipsPerPixel(window);
    designScaleWidth_ = static_cast<float>(twipsFromPixels(window.width(), tpp.x));
    designScaleHeight_ = static_cast<float>(twipsFromPixels(window.height(), tpp.y));
    records_.clear();
    for (QWidget* w : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w->isWindow())
            continue; // menus and dialogs are not controls of the window's surface
        ControlRecord r;
        r.control = w;
        r.left = static_cast<float>(twipsFromPixels(w->x(), tpp.x));
        r.top = static_cast<float>(twipsFromPixels(w->y(), tpp.y));
        r.width = static_cast<float>(twipsFromPixels(w->width(), tpp.x));
        r.height = static_cast<float>(twipsFromPixels(w->height(), tpp.y));
        const qreal points = w->font().pointSizeF();
        r.fontSize = points > 0 ? static_cast<float>(points) : 0.0f;
        records_.append(r);
    }
}

void ControlLayout::ResizeControls(QWidget& window) const
{
    if (!isRecorded())
        return;
    const TwipsPerPixel tpp = twipsPerPixel(window);
    const double ratioX = twipsFromPixels(window.width(), tpp.x) / designScaleWidth_;
    const double ratioY = twipsFromPixels(window.height(), tpp.y) / designScaleHeight_;
    const double fontRatio = ratioX < ratioY ? ratioX : ratioY;
    for (const ControlRecord& r : records_) {
        QWidget* w = r.control;
        if (!w)
            continue;
        if (scalesFont(w) && r.fontSize > 0) {
            QFont font = w->font();
            font.setPointSizeF(std::max(1.0, fontRatio * r.fontSize));
            w->setFont(font);
        }
        w->setGeometry(
            pixelsFromTwips(ratioX * r.left, tpp.x), pixelsFromTwips(ratioY * r.top, tpp.y),
            pixelsFromTwips(ratioX * r.width, tpp.x), pixelsFromTwips(ratioY * r.height, tpp.y));
    }
}

} // namespace quorvex
