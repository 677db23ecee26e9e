// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvex {

class Prompts;
class Shell;

// Starts the desktop's web browser with the link (a page address or a "mailto:"
// address). The browser is the program the desktop opens web pages with, so an
// e-mail link also goes to the browser, not to the mail program. Tells the user
// when there is no browser or it would not start.
void launchInBrowser(Shell& shell, Prompts& prompts, const QString& link);

} // namespace quorvex
