// SPDX-License-Identifier: GPL-3.0-or-later
#include "about/browser_launch.h"

#include "platform/prompts.h"
#include "platform/shell.h"

namespace quorvex {

void launchInBrowser(Shell& shell, Prompts& prompts, const QString& link)
{
    // The desktop's associations name the browser directly; no scratch page is
    // needed to ask for it.
    const QString browser = shell.findBrowser().trimmed();
    if (browser.isEmpty()) {
        prompts.messageBox(QStringLiteral("Could not find associated browser."),
                           QStringLiteral("Quorvex"), MsgIcon::Exclamation, MsgButtons::Ok,
                           Answer::Ok);
        return;
    }
    if (!shell.startProgram(browser, {link})) {
        prompts.messageBox(QStringLiteral("Web page not opened."), QStringLiteral("Quorvex"),
                           MsgIcon::Exclamation, MsgButtons::Ok, Answer::Ok);
    }
}

} // namespace quorvex
