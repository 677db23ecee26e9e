// Start-up to the shown window: the program on the demo servers against a bare
// QApplication that shows one empty window, measured in the same run. Each
// start is a fresh process (this executable run as "bare" or "quorvex"), timed
// from the process's start to the window being exposed; the figures are the
// medians of several alternating runs. Target: Quorvex at most twice the bare
// start.

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
#include <vector>

namespace {

constexpr int kRuns = 9;

// One start, in this process; prints the milliseconds from main() to the window
// being exposed.
int startOnce(int argc, char* argv[], bool quorvexStart, const QElapsedTimer& sinceMain)
{
    const bool headless = quorvex::applyHeadlessPlatform(argc, argv);
    QApplication app(argc, argv);
    QWidget* shown = nullptr;
    std::unique_ptr<quorvex::AppServices> services;
    std::unique_ptr<quorvex::Form1> form;
    QWidget bare;
    if (quorvexStart) {
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
    } else {
        bare.resize(580, 394);
        shown = &bare;
    }
    shown->show();
    if (!QTest::qWaitForWindowExposed(shown))
        return 1;
    QTextStream(stdout) << sinceMain.nsecsElapsed() / 1e6 << Qt::endl;
    return 0;
}

double runChild(const QString& mode, const QProcessEnvironment& env)
{
    QProcess child;
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--mode=") + mode});
    if (!child.waitForFinished(60000) || child.exitCode() != 0)
        qFatal("the %s start failed: %s", qPrintable(mode),
               child.readAllStandardError().constData());
    return child.readAllStandardOutput().trimmed().toDouble();
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
    if (argc == 2 && qstrcmp(argv[1], "--mode=bare") == 0)
        return startOnce(1, argv, false, sinceMain);
    if (argc == 2 && qstrcmp(argv[1], "--mode=quorvex") == 0)
        return startOnce(1, argv, true, sinceMain);

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
    std::vector<double> bare, quorvex;
    for (int i = 0; i < kRuns; ++i) {
        bare.push_back(runChild(QStringLiteral("bare"), env));
        quorvex.push_back(runChild(QStringLiteral("quorvex"), env));
    }
    const double b = median(bare);
    const double q = median(quorvex);
    QTextStream out(stdout);
    out << "start-up to the shown window, median of " << kRuns << " fresh processes ("
        << env.value(QStringLiteral("QT_QPA_PLATFORM")) << ")\n";
    out << QStringLiteral("  bare QApplication, one empty window  %1 ms\n").arg(b, 8, 'f', 1);
    out << QStringLiteral("  Quorvex on the demo (F:\\REPORTS)      %1 ms  (%2x bare)\n")
               .arg(q, 8, 'f', 1)
               .arg(q / b, 0, 'f', 2);
    out << "  target: at most 2x bare\n";
    return 0;
}
