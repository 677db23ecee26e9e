// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>
#include <QPoint>
#include <QPointer>

class QWidget;

namespace quorvex {

// Lets a person drag a window by its background and by chosen labels and
// frames (the surfaces), as if holding its title bar, and re-centres the window
// on a double-click there. The drag starts once the mouse moves with the left
// button held, so that a double-click on the same surface still arrives.
class WindowMover : public QObject
{
    Q_OBJECT
public:
    // The window owns the mover. Its bare background is always a surface.
    WindowMover(QWidget& window, const QList<QWidget*>& surfaces);

    // Centred across and a little above the middle of the window's screen:
    // Left = (screen width - window width) / 2, Top = (screen height - window
    // height) * 0.9 / 2, with the window's outer size.
    static void centre(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isSurface(QObject* watched, const QPoint& pos) const;

    QWidget& window_;
    QList<QPointer<QWidget>> surfaces_;
    bool pressed_ = false;
    bool moving_ = false; // moving the window ourselves (no system move)
    QPoint pressGlobal_;
    QPoint windowAtPress_;
};

} // namespace quorvex
