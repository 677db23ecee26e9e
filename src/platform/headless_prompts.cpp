// SPDX-License-Identifier: GPL-3.0-or-later
#include "headless_prompts.h"

#include <cstdio>

namespace quorvex {

HeadlessPrompts::HeadlessPrompts(QIODevice* errorStream) : m_out(errorStream)
{
    if (!m_out) {
        m_stderr.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
        m_out = &m_stderr;
    }
}

void HeadlessPrompts::writeLine(const QString& text)
{
    // Message texts end their lines with CR LF; a log line ends with LF.
    QString line = text;
    line.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (!line.endsWith(QLatin1Char('\n')))
        line += QLatin1Char('\n');
    m_out->write(line.toUtf8());
}

Answer HeadlessPrompts::messageBox(const QString& text, const QString&, MsgIcon, MsgButtons buttons,
                                   Answer defaultButton)
{
    writeLine(text);
    return effectiveDefault(buttons, defaultButton);
}

std::optional<QString> HeadlessPrompts::inputBox(const QString&, const QString&, const QString&)
{
    return std::nullopt;
}

void HeadlessPrompts::showNotification(const QString& text, const QString&, MsgIcon)
{
    writeLine(text);
}

} // namespace quorvex
