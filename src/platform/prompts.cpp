// SPDX-License-Identifier: GPL-3.0-or-later
#include "prompts.h"

namespace quorvex {

bool buttonsInclude(MsgButtons buttons, Answer answer)
{
    switch (buttons) {
    case MsgButtons::Ok:
        return answer == Answer::Ok;
    case MsgButtons::OkCancel:
        return answer == Answer::Ok || answer == Answer::Cancel;
    case MsgButtons::YesNo:
        return answer == Answer::Yes || answer == Answer::No;
    case MsgButtons::YesNoCancel:
        return answer != Answer::Ok;
    }
    return false;
}

Answer effectiveDefault(MsgButtons buttons, Answer requested)
{
    if (buttonsInclude(buttons, requested))
        return requested;
    return (buttons == MsgButtons::Ok || buttons == MsgButtons::OkCancel) ? Answer::Ok
                                                                          : Answer::Yes;
}

QString nameOf(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::None:
        return QStringLiteral("None");
    case MsgIcon::Information:
        return QStringLiteral("Information");
    case MsgIcon::Exclamation:
        return QStringLiteral("Exclamation");
    case MsgIcon::Question:
        return QStringLiteral("Question");
    case MsgIcon::Critical:
        return QStringLiteral("Critical");
    }
    return {};
}

QString nameOf(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::Ok:
        return QStringLiteral("Ok");
    case MsgButtons::OkCancel:
        return QStringLiteral("OkCancel");
    case MsgButtons::YesNo:
        return QStringLiteral("YesNo");
    case MsgButtons::YesNoCancel:
        return QStringLiteral("YesNoCancel");
    }
    return {};
}

QString nameOf(Answer answer)
{
    switch (answer) {
    case Answer::Ok:
        return QStringLiteral("Ok");
    case Answer::Cancel:
        return QStringLiteral("Cancel");
    case Answer::Yes:
        return QStringLiteral("Yes");
    case Answer::No:
        return QStringLiteral("No");
    }
    return {};
}

} // namespace quorvex
