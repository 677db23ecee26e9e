// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ncpd_process.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <csignal>

NcpdProcess::NcpdProcess(QString statePath) : statePath_(std::move(statePath)) {}

NcpdProcess::~NcpdProcess()
{
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

QString NcpdProcess::program()
{
    // Tests and benchmarks live one level below the build tree's top.
    QString build = qEnvironmentVariable("QUORVEX_BUILD_DIR");
    if (build.isEmpty())
        build = QCoreApplication::applicationDirPath() + QStringLiteral("/..");
    return build + QStringLiteral("/quorvex-ncpd");
}

QString NcpdProcess::address() const
{
    return host_ + QLatin1Char(':') + QString::number(port_);
}

bool NcpdProcess::start(std::uint16_t port)
{
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    process_.start(program(), {statePath_, QStringLiteral("--listen"),
                               QStringLiteral("127.0.0.1:%1").arg(port)});
    if (!process_.waitForStarted(5000)) {
        error_ = QStringLiteral("quorvex-ncpd did not start: ") + process_.errorString();
        return false;
    }
    // The first line of its output names the address it listens on.
    QElapsedTimer waited;
    waited.start();
    while (!process_.canReadLine() && waited.elapsed() < 10000) {
        if (!process_.waitForReadyRead(200) && process_.state() == QProcess::NotRunning)
            break;
    }
    const QString line = QString::fromLocal8Bit(process_.readLine()).trimmed();
    static const QString prefix = QStringLiteral("listening on ");
    const qsizetype colon = line.lastIndexOf(QLatin1Char(':'));
    bool ok = false;
    if (line.startsWith(prefix) && colon > prefix.size()) {
        host_ = line.mid(prefix.size(), colon - prefix.size());
        port_ = std::uint16_t(line.mid(colon + 1).toUInt(&ok));
    }
    if (!ok || port_ == 0) {
        error_ = QStringLiteral("quorvex-ncpd said \"%1\"; %2")
                     .arg(line, QString::fromLocal8Bit(process_.readAllStandardError()));
        return false;
    }
    return true;
}

bool NcpdProcess::stop()
{
    if (process_.state() == QProcess::NotRunning)
        return false;
    ::kill(pid_t(process_.processId()), SIGTERM);
    if (!process_.waitForFinished(10000))
        return false;
    return process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
}
