// SPDX-License-Identifier: GPL-3.0-or-later
#include "netware/sim_generator.h"

#include "netware/sim_path.h"
#include "netware/sim_state.h"
#include "netware/sim_state_writer.h"
#include "platform/file_writes.h"

#include <QDir>
#include <QFile>

namespace nw {

QString generateSimServer(const QString& dir, const SimGenerateOptions& options, QString* error)
{
    const auto fail = [&](const QString& text) {
        if (error)
            *error = text;
        return QString();
    };
    const auto split = splitNwPath(options.file);
    if (!split || split->relative.isEmpty())
        return fail(QStringLiteral("\"%1\" is not a VOLUME:PATH file").arg(options.file));
    // Connection numbers run from 2 (1 is the workstation's), so at most 65534.
    if (options.users < 0 || options.users > 65534)
        return fail(QStringLiteral("--users must be 0 to 65534"));
    if (options.tasks < 1 || options.tasks > 1000)
        return fail(QStringLiteral("--tasks must be 1 to 1000"));
    if (options.files < 1 || options.files > 100)
        return fail(QStringLiteral("--files must be 1 to 100"));

    SimState s;
    s.server = QStringLiteral("GEN1");
    const QString volume = split->volume.toUpper();
    QStringList volumeNames{QStringLiteral("SYS")};
    if (volume != QLatin1String("SYS"))
        volumeNames.append(volume);
    for (const QString& name : volumeNames) {
        const QString root = QStringLiteral("GEN1/") + name;
        if (!QDir(dir).mkpath(root))
            return fail(QStringLiteral("%1: cannot create folder %2").arg(dir, root));
        s.volumes.push_back(SimVolume{name, root, QDir(dir).absoluteFilePath(root)});
    }
    const QString hostFile = QDir(dir).absoluteFilePath(
        QStringLiteral("GEN1/") + volume + QLatin1Char('/') +
        QString(split->relative).replace(QLatin1Char('\\'), QLatin1Char('/')));
    QDir().mkpath(QFileInfo(hostFile).absolutePath());
    QString fileError;
    if (!quorvex::replaceFile(hostFile, "generated\n", &fileError))
        return fail(QStringLiteral("cannot write ") + fileError);

    const QString path = volume + QLatin1Char(':') + split->relative;
    const QString folder = splitNwPath(path)->relative.section(QLatin1Char('\\'), 0, -2);
    const auto object = [](std::uint32_t id, const QString& name) {
        SimObject o;
        o.id = id;
        o.name = name;
        return o;
    };
    s.objects.push_back(object(1, QStringLiteral("ADMIN")));
    s.workstation = SimWorkstation{1, QStringLiteral("ADMIN"), true};
    s.trustees.push_back(SimTrustee{volume + QLatin1Char(':') + folder, 1, 0x1FB});
    // The home folders themselves are left out: thousands of folders make the
    // server slow to delete, and a trustee path need not exist on the host.
    QDir(dir).mkpath(QStringLiteral("GEN1/%1/HOME").arg(volume));
    const QDateTime base(QDate(2004, 3, 1), QTime(8, 0));
    s.connections.reserve(std::size_t(options.users));
    for (int i = 0; i < options.users; ++i) {
        const auto id = std::uint32_t(100000 + i);
        const QString name = QStringLiteral("USER%1").arg(i + 1, 5, 10, QLatin1Char('0'));
        // Users sit at the root of the tree, so that their login names resolve
        // from [Root] as the directory-rights look-up asks.
        s.objects.push_back(object(id, name));
        // Each user owns a home folder on the file's volume, as on a real server.
        s.trustees.push_back(SimTrustee{volume + QStringLiteral(":HOME\\") + name, id, 0xFB});
        SimConnection c;
        c.number = std::uint16_t(i + 2);
        c.user = name;
        c.login = base.addSecs(qint64(i) * 37);
        c.address.type = 11;
        c.address.network = {10, std::uint8_t(i >> 16), std::uint8_t(i >> 8), std::uint8_t(i)};
        for (int t = 1; t <= options.tasks; ++t)
            c.open.push_back(SimOpenEntry{path, std::uint16_t(t), 8, 1, 0});
        for (int f = 2; f <= options.files; ++f)
            c.open.push_back(SimOpenEntry{
                volume + QStringLiteral(":HOME\\%1\\FILE%2.DAT").arg(name).arg(f - 1), 1, 0, 3, 0});
        s.connections.push_back(std::move(c));
    }
    s.reindex();
    const QString statePath = QDir(dir).absoluteFilePath(QStringLiteral("GEN1.json"));
    QString writeError;
    if (!saveSimState(s, statePath, &writeError))
        return fail(writeError);
    return statePath;
}

} // namespace nw
