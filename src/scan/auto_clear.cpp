// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/auto_clear.h"

#include "actions/clear_connection.h"
#include "app/form1.h"
#include "platform/clock.h"
#include "platform/services.h"
#include "scan/auto_clear_time.h"

#include <QListWidget>

namespace quorvex {

AutoClear::AutoClear(Form1& form) : form_(form) {}

void AutoClear::apply()
{
    const Settings& s = form_.settings;
    if (!s.AutoClear)
        return;
    if (!autoClearDue(s.AutoClearDate, s.AutoClearTime, form_.services().clock.now()))
        return;
    const int lines = form_.List1->count();
    for (int i = 0; i < lines && i < form_.connections.size(); ++i) {
        ClearConnection(form_.client(), form_.serverConnection, form_.connections.at(i).connNo);
    }
}

} // namespace quorvex
