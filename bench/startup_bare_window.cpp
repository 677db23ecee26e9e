// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick of the start-up benchmark: a bare QApplication that shows one
// empty window, linked with nothing but Qt. Prints the monotonic clock (ns) at
// the moment the window is exposed, then the milliseconds since main().

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTextStream>
#include <QWidget>

#include <chrono>

int main(int argc, char* argv[])
{
    QElapsedTimer sinceMain;
    sinceMain.start();
    QApplication app(argc, argv);
    QWidget window;
    window.resize(580, 394);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    QTextStream(stdout) << std::chrono::duration_cast<std::chrono::nanoseconds>(now).count() << ' '
                        << sinceMain.nsecsElapsed() / 1e6 << Qt::endl;
    return 0;
}
