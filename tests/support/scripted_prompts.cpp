// SPDX-License-Identifier: GPL-3.0-or-later
#include "scripted_prompts.h"

#include <algorithm>

namespace quorvex {

QList<ScriptedPrompts::Call> ScriptedPrompts::calls(Kind kind) const
{
    QList<Call> result;
    for (const Call& call : m_calls) {
        if (call.kind == kind)
            result.append(call);
    }
    return result;
}

int ScriptedPrompts::beepCount() const
{
    return static_cast<int>(std::count_if(m_calls.begin(), m_calls.end(),
                                          [](const Call& c) { return c.kind == Kind::Beep; }));
}

QStringList ScriptedPrompts::transcript() const
{
    QStringList lines;
    for (const Call& c : m_calls) {
        switch (c.kind) {
        case Kind::Beep:
            lines.append(QStringLiteral("beep"));
            break;
        case Kind::MessageBox:
            lines.append(QStringLiteral("messageBox[%1,%2,%3] %4: %5")
                             .arg(nameOf(c.icon), nameOf(c.buttons), nameOf(c.defaultButton),
                                  c.title, c.text));
            break;
        case Kind::InputBox:
            lines.append(QStringLiteral("inputBox %1: %2").arg(c.title, c.text));
            break;
        case Kind::PasswordBox:
            lines.append(QStringLiteral("passwordBox %1: %2").arg(c.title, c.text));
            break;
        case Kind::Notification:
            lines.append(
                QStringLiteral("notification[%1] %2: %3").arg(nameOf(c.icon), c.title, c.text));
            break;
        case Kind::Raise:
            lines.append(
                QStringLiteral("raise %1 -> %2")
                    .arg(c.text, c.raised ? QStringLiteral("true") : QStringLiteral("false")));
            break;
        }
    }
    return lines;
}

bool ScriptedPrompts::allScripted() const
{
    return m_answers.isEmpty() && m_inputs.isEmpty() && m_passwords.isEmpty() &&
           std::all_of(m_calls.begin(), m_calls.end(), [](const Call& c) { return c.scripted; });
}

void ScriptedPrompts::clear()
{
    m_calls.clear();
    m_answers.clear();
    m_inputs.clear();
    m_passwords.clear();
    m_notifications.clear();
}

void ScriptedPrompts::closeNotification(int id)
{
    m_notifications.removeIf([id](const Notification& n) { return n.id == id; });
}

Answer ScriptedPrompts::messageBox(const QString& text, const QString& title, MsgIcon icon,
                                   MsgButtons buttons, Answer defaultButton)
{
    Call call{Kind::MessageBox, text, title, icon, buttons, defaultButton, {}, true, false};
    Answer answer = effectiveDefault(buttons, defaultButton);
    if (m_answers.isEmpty()) {
        call.scripted = false;
    } else {
        answer = m_answers.dequeue();
        // A scripted answer the box does not offer is a fault in the test.
        if (!buttonsInclude(buttons, answer))
            qWarning("ScriptedPrompts: answer %s is not a button of \"%s\"",
                     qPrintable(nameOf(answer)), qPrintable(text));
    }
    m_calls.append(call);
    return answer;
}

std::optional<QString> ScriptedPrompts::inputBox(const QString& prompt, const QString& title,
                                                 const QString& defaultText)
{
    Call call;
    call.kind = Kind::InputBox;
    call.text = prompt;
    call.title = title;
    call.defaultText = defaultText;
    std::optional<QString> answer;
    if (m_inputs.isEmpty())
        call.scripted = false;
    else
        answer = m_inputs.dequeue();
    m_calls.append(call);
    return answer;
}

std::optional<QString> ScriptedPrompts::passwordBox(const QString& prompt, const QString& title)
{
    Call call;
    call.kind = Kind::PasswordBox;
    call.text = prompt;
    call.title = title;
    std::optional<QString> answer;
    if (m_passwords.isEmpty())
        call.scripted = false;
    else
        answer = m_passwords.dequeue();
    m_calls.append(call);
    return answer;
}

void ScriptedPrompts::beep()
{
    m_calls.append(Call{});
}

void ScriptedPrompts::showNotification(const QString& text, const QString& title, MsgIcon icon)
{
    Call call;
    call.kind = Kind::Notification;
    call.text = text;
    call.title = title;
    call.icon = icon;
    m_calls.append(call);
    m_notifications.append({m_nextId++, text, title, icon, 0});
}

bool ScriptedPrompts::raiseWindowTitled(const QString& titlePrefix)
{
    Call call;
    call.kind = Kind::Raise;
    call.text = titlePrefix;
    for (Notification& n : m_notifications) {
        if (n.title.startsWith(titlePrefix)) {
            ++n.raiseCount;
            call.raised = true;
            break;
        }
    }
    m_calls.append(call);
    return call.raised;
}

} // namespace quorvex
