// SPDX-License-Identifier: GPL-3.0-or-later
#include "list_extent.h"

#include <QListWidget>

namespace quorvex {

void setHorizontalExtent(QListWidget& list, int pixels)
{
    list.setUniformItemSizes(true);
    if (list.count() == 0)
        return;
    QListWidgetItem* last = list.item(list.count() - 1);
    last->setSizeHint(QSize()); // its own height, as the font gives it
    last->setSizeHint(QSize(pixels, list.sizeHintForRow(list.count() - 1)));
}

} // namespace quorvex
