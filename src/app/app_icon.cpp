#include "app/app_icon.h"

#include <QPainter>
#include <QPixmap>

namespace quorvex {

namespace {

QPixmap drawIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    // The page.
    p.setPen(QPen(QColor(40, 60, 110), 1.5));
    p.setBrush(QColor(245, 245, 250));
    p.drawRect(QRectF(5, 2, 18, 24));
    p.setPen(QPen(QColor(150, 160, 180), 1.2));
    for (int y = 7; y <= 19; y += 4)
        p.drawLine(QPointF(8, y), QPointF(20, y));
    // The person holding it.
    p.setPen(QPen(QColor(20, 90, 40), 1.2));
    p.setBrush(QColor(60, 170, 80));
    p.drawEllipse(QRectF(17, 14, 9, 9));
    p.drawChord(QRectF(13, 23, 17, 14), 0, 180 * 16);
    return pixmap;
}

} // namespace

QIcon appIcon()
{
    QIcon icon;
    for (int size : {16, 22, 32, 48, 64})
        icon.addPixmap(drawIcon(size));
    return icon;
}

} // namespace quorvex
