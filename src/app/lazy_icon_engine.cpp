// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/lazy_icon_engine.h"

#include <QPainter>
#include <QPixmap>

#include <algorithm>

namespace quorvex {

LazyIconEngine::LazyIconEngine(std::vector<Rendition> renditions)
    : renditions_(std::move(renditions))
{
    std::sort(renditions_.begin(), renditions_.end(),
              [](const Rendition& a, const Rendition& b) { return a.size < b.size; });
}

const LazyIconEngine::Rendition* LazyIconEngine::pick(const QSize& size) const
{
    if (renditions_.empty())
        return nullptr;
    const int wanted = std::max(size.width(), size.height());
    for (const Rendition& r : renditions_)
        if (r.size >= wanted)
            return &r;
    return &renditions_.back();
}

void LazyIconEngine::ensureDecoded(const QSize& size)
{
    const Rendition* r = pick(size);
    if (!r || std::find(decoded_.begin(), decoded_.end(), r->size) != decoded_.end())
        return;
    decoded_.push_back(r->size);
    const QPixmap pixmap(r->path);
    if (!pixmap.isNull())
        icon_.addPixmap(pixmap);
}

void LazyIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                           QIcon::State state)
{
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    ensureDecoded(rect.size() * ratio);
    icon_.paint(painter, rect, Qt::AlignCenter, mode, state);
}

QPixmap LazyIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state)
{
    ensureDecoded(size);
    return icon_.pixmap(size, mode, state);
}

QSize LazyIconEngine::actualSize(const QSize& size, QIcon::Mode, QIcon::State)
{
    const Rendition* r = pick(size);
    if (!r)
        return {};
    // Like any icon, never larger than asked for.
    return QSize(r->size, r->size).boundedTo(size);
}

QList<QSize> LazyIconEngine::availableSizes(QIcon::Mode, QIcon::State)
{
    QList<QSize> sizes;
    for (const Rendition& r : renditions_)
        sizes.append(QSize(r.size, r.size));
    return sizes;
}

QIconEngine* LazyIconEngine::clone() const
{
    return new LazyIconEngine(*this);
}

QString LazyIconEngine::key() const
{
    return QStringLiteral("QuorvexLazyIcon");
}

} // namespace quorvex
