// SPDX-License-Identifier: GPL-3.0-or-later
#include "headless_mode.h"

#include <QtGlobal>

namespace quorvex {

namespace {

bool g_headless = false;

bool showsNothing(const QByteArray& platform)
{
    // "offscreen:fontengine=freetype" carries options after the name.
    const QByteArray name = platform.split(':').front().trimmed();
    return name == "offscreen" || name == "minimal";
}

QByteArray platformArgument(const QStringList& arguments)
{
    for (qsizetype i = 1; i + 1 < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("-platform") ||
            arguments[i] == QLatin1String("--platform"))
            return arguments[i + 1].toLocal8Bit();
    }
    return {};
}

} // namespace

bool needsOffscreenPlatform(const QByteArray& display, const QByteArray& waylandDisplay,
                            const QByteArray& qpaPlatform, const QStringList& arguments)
{
    if (!display.isEmpty() || !waylandDisplay.isEmpty())
        return false;
    return qpaPlatform.isEmpty() && platformArgument(arguments).isEmpty();
}

bool applyHeadlessPlatform(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const QByteArray chosen = qgetenv("QT_QPA_PLATFORM");
    if (needsOffscreenPlatform(qgetenv("DISPLAY"), qgetenv("WAYLAND_DISPLAY"), chosen, arguments)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        g_headless = true;
    } else {
        const QByteArray argument = platformArgument(arguments);
        g_headless = showsNothing(argument.isEmpty() ? chosen : argument);
    }
    return g_headless;
}

bool isHeadlessRun()
{
    return g_headless;
}

} // namespace quorvex
