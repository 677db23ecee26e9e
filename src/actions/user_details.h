// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvex {

struct ConnectionInfo;
struct Settings;

// The pane form lines its values up with tabs; the clipboard form has none.
enum class DetailForm
{
    Pane,
    Clipboard
};

// The details of one user line: "File" and "User" always, then one line for each
// detail option that is on, each ending in CR LF except the address line. The
// options are read from settings at each call, so an option switched on after a
// scan shows its line (with whatever the scan stored) at the next call. Without a
// record only the "User" line can be written.
QString userDetailText(const ConnectionInfo* record, const QString& lineText,
                       const Settings& settings, DetailForm form);

} // namespace quorvex
