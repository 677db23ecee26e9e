// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// An icon made of PNG renditions that are decoded only when a size is asked
// for. A QIcon built with addFile decodes every rendition at once, which costs
// more at start-up than building the whole main window; the window and the tray
// ask for one or two sizes, if any.

#include <QIcon>
#include <QIconEngine>
#include <QString>

#include <vector>

namespace quorvex {

class LazyIconEngine : public QIconEngine
{
public:
    struct Rendition
    {
        int size = 0; // square, in pixels
        QString path;
    };
    explicit LazyIconEngine(std::vector<Rendition> renditions);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;
    QString key() const override;
    bool isNull() override { return renditions_.empty(); }

    // How many renditions have been decoded so far.
    int decodedCount() const { return int(decoded_.size()); }

private:
    // The rendition drawn for a request: the smallest at least as large, else
    // the largest.
    const Rendition* pick(const QSize& size) const;
    // Decodes the rendition for a request once; the decoded ones live in an
    // ordinary icon, which scales them and draws the disabled and active forms.
    void ensureDecoded(const QSize& size);

    std::vector<Rendition> renditions_; // ascending by size
    std::vector<int> decoded_;
    QIcon icon_;
};

} // namespace quorvex
