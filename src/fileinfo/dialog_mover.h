#pragma once

#include <QList>
#include <QObject>

class QWidget;

namespace quorvex {

// Lets a dialog be dragged by its background and chosen surfaces (labels,
// frames) as if by its title bar, and re-centred by a double-click on them.
class DialogMover : public QObject
{
    Q_OBJECT
public:
    DialogMover(QWidget& window, const QList<QWidget*>& surfaces);

    // Across the middle of its screen and a little above it: left = (screen
    // width - window width) / 2, top = (screen height - window height) * 0.9 / 2.
    static void centre(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
};

} // namespace quorvex
