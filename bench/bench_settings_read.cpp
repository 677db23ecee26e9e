// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the settings file as it grows: files of 10,000, 40,000 and 400,000
// keys in one section (a key is compared with the keys before it, so a reader
// that searches a list grows with the square of the keys), and a 50 MB file
// (about four million keys), which the store refuses as too large. Each figure
// is the best of three reads in a fresh store; the write back is timed once.

#include "platform/settings_store.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

using namespace quorvex;

namespace {

// Writes at least keys keys and minimumBytes bytes; the number of keys written.
qint64 writeSettings(const QString& path, qint64 keys, qint64 minimumBytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return -1;
    QByteArray chunk;
    qint64 written = file.write("[Options]\n");
    qint64 i = 0;
    for (; i < keys || written + chunk.size() < minimumBytes; ++i) {
        chunk +=
            "Key" + QByteArray::number(i) + "=F:\\DATA\\FILE" + QByteArray::number(i) + ".DB\n";
        if (chunk.size() > (1 << 20)) {
            written += file.write(chunk);
            chunk.clear();
        }
    }
    file.write(chunk);
    return i;
}

void measure(const QString& path, qint64 keys, qint64 minimumBytes)
{
    const qint64 written = writeSettings(path, keys, minimumBytes);
    const qint64 bytes = QFile(path).size();
    double best = 1e30;
    QString status;
    qsizetype read = 0;
    for (int round = 0; round < 3; ++round) {
        QElapsedTimer timer;
        timer.start();
        const SettingsStore store(path);
        best = std::min(best, timer.nsecsElapsed() / 1e6);
        read = store.keys(QStringLiteral("Options")).size();
        status =
            store.loadStatus() == SettingsStore::LoadStatus::Loaded
                ? QStringLiteral("read")
                : QStringLiteral("refused: ") + store.loadError().section(QLatin1String(": "), 1);
    }
    std::printf("%9lld bytes, %8lld keys: %9.1f ms, %lld keys %s\n", bytes, written, best,
                qint64(read), qPrintable(status));
    if (read > 0) {
        SettingsStore store(path);
        store.setValue(QStringLiteral("Options"), QStringLiteral("Seconds"), QStringLiteral("10"));
        QElapsedTimer timer;
        timer.start();
        store.sync();
        std::printf("%37s write back: %9.1f ms\n", "", timer.nsecsElapsed() / 1e6);
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Quorvex.ini"));
    QtMessageHandler quiet = [](QtMsgType, const QMessageLogContext&, const QString&) {};
    qInstallMessageHandler(quiet);
    std::printf("settings file read (best of 3), limit %lld bytes\n",
                qint64(SettingsStore::kMaxFileBytes));
    for (const qint64 keys : {10000LL, 40000LL, 400000LL})
        measure(path, keys, 0);
    measure(path, 0, 50LL * 1000 * 1000);
    return 0;
}
