// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop_shell.h"

#include "mime_associations.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace quorvex {

namespace {

const QString kHtml = QStringLiteral("text/html");

// Asks xdg-mime where it is installed: it knows the rules of each desktop
// (KDE, GNOME) better than the generic files do.
QString entryFromXdgMime()
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (tool.isEmpty())
        return {};
    QProcess process;
    process.start(tool, {QStringLiteral("query"), QStringLiteral("default"), kHtml});
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(1000);
        return {};
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

} // namespace

bool DesktopShell::openDocument(const QString& hostPath)
{
    if (hostPath.isEmpty())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(hostPath));
}

QString DesktopShell::findBrowser()
{
    const MimeAssociations associations = MimeAssociations::fromEnvironment();
    QString file = associations.entryFile(entryFromXdgMime());
    if (file.isEmpty())
        file = associations.entryFile(associations.defaultEntryFor(kHtml));
    if (file.isEmpty())
        return {};
    return MimeAssociations::programOfEntryFile(file);
}

bool DesktopShell::startProgram(const QString& program, const QStringList& args)
{
    if (program.isEmpty())
        return false;
    return QProcess::startDetached(program, args);
}

} // namespace quorvex
