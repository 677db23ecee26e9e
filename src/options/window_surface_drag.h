#pragma once

#include <QList>
#include <QObject>
#include <QPoint>

class QWidget;

namespace quorvex {

// Lets a window be dragged by its background, frames and labels, and put back
// near the middle of the screen by a double-click on them. The move is handed to
// the window system once the left button is held and the mouse has moved, so a
// double-click still reaches the surface.
class WindowSurfaceDrag : public QObject
{
    Q_OBJECT
public:
    // Installs itself on the surfaces; the window owns it.
    static WindowSurfaceDrag* install(QWidget& window, const QList<QWidget*>& surfaces);

    // Left = (screen width - window width) / 2, Top = (screen height - window
    // height) * 0.9 / 2: centred across, a little above the middle.
    static void centreHigh(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    WindowSurfaceDrag(QWidget& window, const QList<QWidget*>& surfaces);

    QWidget& window_;
    QList<QWidget*> surfaces_;
    QPoint pressAt_;
    QPoint windowAt_;
    bool pressed_ = false;
    bool byHand_ = false; // the window system cannot move it: follow the mouse
};

} // namespace quorvex
