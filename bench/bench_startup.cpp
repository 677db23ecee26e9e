// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up to the shown window: the program on the demo servers against a bare
// QApplication that shows one empty window, measured in the same run. Each
// start is a fresh process, timed from the moment it is launched to the window
// being exposed, so the loading of the libraries each one needs counts too: the
// bare window is its own small program linked with Qt alone
// (startup_bare_window), the program is this executable run as "quorvex". The
// figures are the medians of several alternating runs. Target: Quorvex at most
// twice the bare start. The time from main() alone is shown beside it.

#include "app/app_services.h"
#include "app/form1.h"
#include "app/lifecycle.h"
#include "app/window_geometry.h"
#include "netware/demo_install.h"
#include "platform/drive_map.h"
#include "platform/headless_mode.h"
#include "platform/settings_store.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

constexpr int kRuns = 9;

// One start, in this process; prints the milliseconds from main() to the window
// being exposed.
int startQuorvex(int argc, char* argv[], const QElapsedTimer& sinceMain)
{
    const bool headless = quorvex::applyHeadlessPlatform(argc, argv);
    QApplication app(argc, argv);
    QWidget* shown = nullptr;
    std::unique_ptr<quorvex::AppServices> services;
    std::unique_ptr<quorvex::Form1> form;
    {
        QApplication::setOrganizationName(QStringLiteral("Quorvex"));
        QApplication::setApplicationName(QStringLiteral("Quorvex"));
        const double atApp = sinceMain.nsecsElapsed() / 1e6;
        services = std::make_unique<quorvex::AppServices>(headless);
        const double atServices = sinceMain.nsecsElapsed() / 1e6;
        form = std::make_unique<quorvex::Form1>(services->services(), services->client());
        const double atForm = sinceMain.nsecsElapsed() / 1e6;
        if (!form->lifecycle().Form_Load(QString()))
            return 2;
        const double atLoad = sinceMain.nsecsElapsed() / 1e6;
        QTextStream(stderr) << "phases " << atApp << ' ' << atServices - atApp << ' '
                            << atForm - atServices << ' ' << atLoad - atForm << Qt::endl;
        quorvex::placeCentred(*form);
        shown = form.get();
    }
    shown->show();
    if (!QTest::qWaitForWindowExposed(shown))
        return 1;
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    QTextStream(stdout) << std::chrono::duration_cast<std::chrono::nanoseconds>(now).count() << ' '
                        << sinceMain.nsecsElapsed() / 1e6 << Qt::endl;
    return 0;
}

struct Start
{
    double fromLaunch = 0; // ms
    double fromMain = 0;   // ms
};

Start runChild(const QString& mode, const QProcessEnvironment& env)
{
    QProcess child;
    child.setProcessEnvironment(env);
    const QString dir = QCoreApplication::applicationDirPath();
    const auto launched = std::chrono::steady_clock::now().time_since_epoch();
    if (mode == QLatin1String("bare"))
        child.start(dir + QStringLiteral("/startup_bare_window"), {});
    else
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--mode=") + mode});
    if (!child.waitForFinished(60000) || child.exitCode() != 0)
        qFatal("the %s start failed: %s", qPrintable(mode),
               child.readAllStandardError().constData());
    // The phases of a start (set QUORVEX_BENCH_PHASES=1 to see them).
    if (qEnvironmentVariableIsSet("QUORVEX_BENCH_PHASES"))
        QTextStream(stderr) << mode << ": " << child.readAllStandardError();
    const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split(' ');
    if (fields.size() != 2)
        qFatal("the %s start printed no times", qPrintable(mode));
    const auto exposedNs = std::chrono::nanoseconds(fields[0].toLongLong());
    const auto launchedNs = std::chrono::duration_cast<std::chrono::nanoseconds>(launched);
    return {double((exposedNs - launchedNs).count()) / 1e6, fields[1].toDouble()};
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    QElapsedTimer sinceMain;
    sinceMain.start();
    if (argc == 2 && qstrcmp(argv[1], "--mode=quorvex") == 0)
        return startQuorvex(1, argv, sinceMain);

    QCoreApplication app(argc, argv);
    // A private home, so the user's own settings are never touched.
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));

    // The demo as a first start leaves it: installed from the build tree (this
    // executable lives in build/bench), with the default drive map and servers.
    const QString dataDir = home.filePath(QStringLiteral("data/Quorvex"));
    const QMap<QString, QString> demo =
        nw::installDemo(QCoreApplication::applicationDirPath() + QStringLiteral("/.."), dataDir);
    if (demo.isEmpty())
        qFatal("no demo in the build tree");
    quorvex::SettingsStore settings(home.filePath(QStringLiteral("config/Quorvex/Quorvex.ini")));
    quorvex::writeDefaultDriveMap(settings);
    for (auto it = demo.cbegin(); it != demo.cend(); ++it)
        settings.setValue(QStringLiteral("Servers"), it.key(), QStringLiteral("sim:") + it.value());
    settings.setValue(QStringLiteral("Options"), QStringLiteral("Path"),
                      QStringLiteral("F:\\REPORTS"));
    if (!settings.sync())
        qFatal("cannot write the settings file");
    runChild(QStringLiteral("quorvex"), env);
    runChild(QStringLiteral("bare"), env);
    std::vector<double> bare, quorvex, bareMain, quorvexMain;
    for (int i = 0; i < kRuns; ++i) {
        const Start b = runChild(QStringLiteral("bare"), env);
        const Start q = runChild(QStringLiteral("quorvex"), env);
        bare.push_back(b.fromLaunch);
        bareMain.push_back(b.fromMain);
        quorvex.push_back(q.fromLaunch);
        quorvexMain.push_back(q.fromMain);
    }
    QTextStream out(stdout);
    out << "start-up to the shown window, median of " << kRuns << " fresh processes ("
        << env.value(QStringLiteral("QT_QPA_PLATFORM")) << ")\n";
    out << "                                      from launch    from main()\n";
    const auto line = [&](const char* what, double launch, double main, double baseLaunch,
                          double baseMain) {
        out << QStringLiteral("  %1 %2 ms (%3x)  %4 ms (%5x)\n")
                   .arg(QLatin1String(what), -34)
                   .arg(launch, 6, 'f', 1)
                   .arg(launch / baseLaunch, 0, 'f', 2)
                   .arg(main, 6, 'f', 1)
                   .arg(main / baseMain, 0, 'f', 2);
    };
    const double b = median(bare), bm = median(bareMain);
    line("bare QApplication, one empty window", b, bm, b, bm);
    line("Quorvex on the demo (F:\\REPORTS)", median(quorvex), median(quorvexMain), b, bm);
    out << "  target: from launch at most 2x bare\n";
    return 0;
}
