// SPDX-License-Identifier: GPL-3.0-or-later
// quorvex-sim: plays the users of a simulated NetWare server.

#include "sim_tool.h"

#include "platform/terminal_prompt.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    // A new password: asked without echo on a terminal, otherwise the first
    // line of standard input (UTF-8).
    const auto readPassword = [](const QString& prompt) -> std::optional<QString> {
        std::optional<QByteArray> line = quorvex::askTerminalSilently(prompt);
        if (!line) {
            QFile in;
            if (!in.open(stdin, QIODevice::ReadOnly))
                return std::nullopt;
            line = in.readLine();
            if (line->isEmpty() && in.atEnd())
                return std::nullopt;
            while (line->endsWith('\n') || line->endsWith('\r'))
                line->chop(1);
        }
        const QString text = QString::fromUtf8(*line);
        line->fill('\0');
        return text;
    };
    return nw::runSimTool(app.arguments().mid(1), out, err, readPassword);
}
