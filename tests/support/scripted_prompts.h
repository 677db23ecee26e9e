// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/prompts.h"

#include <QList>
#include <QQueue>
#include <QStringList>

namespace quorvex {

// Prompts for tests: records every call in order (beeps included), answers
// message boxes from a queue of scripted answers and input boxes from a queue
// of scripted texts (password boxes from their own queue; the answer is never
// recorded, as the real box shows it masked), and keeps the notification boxes "open" until the
// test closes them.
//
// An unscripted message box answers its default button and an unscripted input
// box answers Cancel, as a headless run does; the call is marked unscripted so
// a test that cares can check with allScripted().
class ScriptedPrompts : public Prompts
{
public:
    enum class Kind
    {
        MessageBox,
        InputBox,
        PasswordBox,
        Beep,
        Notification,
        Raise
    };

    struct Call
    {
        Kind kind = Kind::Beep;
        QString text; // message, prompt, notification text; the prefix for Raise
        QString title;
        MsgIcon icon = MsgIcon::None;
        MsgButtons buttons = MsgButtons::Ok;
        Answer defaultButton = Answer::Ok;
        QString defaultText;
        bool scripted = true; // false when it fell back to the default / Cancel
        bool raised = false;  // Raise: whether a window was found
    };

    struct Notification
    {
        int id = 0;
        QString text;
        QString title;
        MsgIcon icon = MsgIcon::None;
        int raiseCount = 0;
    };

    void queueAnswer(Answer answer) { m_answers.enqueue(answer); }
    void queueInput(std::optional<QString> text) { m_inputs.enqueue(std::move(text)); }
    void queuePassword(std::optional<QString> text) { m_passwords.enqueue(std::move(text)); }

    const QList<Call>& calls() const { return m_calls; }
    QList<Call> calls(Kind kind) const;
    int beepCount() const;
    // One line per call, e.g. "beep", "messageBox[Exclamation,YesNo,No] Quorvex: Are you sure?",
    // "inputBox Title: Prompt", "passwordBox Title: Prompt", "notification[Exclamation] Title:
    // text", "raise Title -> true".
    QStringList transcript() const;
    // True when every box was answered from the script and nothing queued is left.
    bool allScripted() const;
    void clear();

    const QList<Notification>& openNotifications() const { return m_notifications; }
    void closeNotification(int id);
    void closeAllNotifications() { m_notifications.clear(); }

    Answer messageBox(const QString& text, const QString& title, MsgIcon icon, MsgButtons buttons,
                      Answer defaultButton) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText) override;
    std::optional<QString> passwordBox(const QString& prompt, const QString& title) override;
    void beep() override;
    void showNotification(const QString& text, const QString& title, MsgIcon icon) override;
    bool raiseWindowTitled(const QString& titlePrefix) override;

private:
    QList<Call> m_calls;
    QQueue<Answer> m_answers;
    QQueue<std::optional<QString>> m_inputs;
    QQueue<std::optional<QString>> m_passwords;
    QList<Notification> m_notifications;
    int m_nextId = 1;
};

} // namespace quorvex
