// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

namespace quorvex {

enum class MsgIcon
{
    None,
    Information,
    Exclamation,
    Question,
    Critical
};
enum class MsgButtons
{
    Ok,
    OkCancel,
    YesNo,
    YesNoCancel
};
enum class Answer
{
    Ok,
    Cancel,
    Yes,
    No
};

// What the program asks of the person in front of it: message boxes, the input
// and password boxes, the beep, and the notification box that stays up while the program works
// on. Handlers receive one of these; a test hands them a scripted one.
class Prompts
{
public:
    virtual ~Prompts() = default;

    // Modal; answers one of the buttons shown.
    virtual Answer messageBox(const QString& text, const QString& title, MsgIcon icon,
                              MsgButtons buttons, Answer defaultButton) = 0;

    // nullopt when the person cancelled.
    virtual std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                            const QString& defaultText) = 0;

    // The input box for a secret: what is typed shows masked, and the box
    // starts empty. nullopt when the person cancelled.
    virtual std::optional<QString> passwordBox(const QString& prompt, const QString& title) = 0;

    virtual void beep() = 0;

    // A message box with one OK button that stays on top, is not modal and
    // returns at once; it closes with its OK button.
    virtual void showNotification(const QString& text, const QString& title, MsgIcon icon) = 0;

    // Brings to the front an open top-level window whose title is, or begins
    // with, titlePrefix; false when there is none.
    virtual bool raiseWindowTitled(const QString& titlePrefix) = 0;
};

// The default button a box really has: the one asked for when the buttons
// include it, otherwise the first button (a box can't answer a button it does
// not show).
Answer effectiveDefault(MsgButtons buttons, Answer requested);

// True when the buttons include the answer.
bool buttonsInclude(MsgButtons buttons, Answer answer);

QString nameOf(MsgIcon icon);
QString nameOf(MsgButtons buttons);
QString nameOf(Answer answer);

} // namespace quorvex
