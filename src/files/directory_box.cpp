#include "files/directory_box.h"

#include "platform/drive_map.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace quorvex {

namespace {

constexpr int kPathRole = Qt::UserRole;

// "F:" + components -> "F:\A\B", or "F:\" for no components.
QString joinDos(QChar letter, const QStringList& parts)
{
    return QString(letter.toUpper()) + QLatin1String(":\\") + parts.join(QLatin1Char('\\'));
}

} // namespace

DirectoryBox::DirectoryBox(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setIndentation(12);
    // Opening rebuilds the tree, which deletes the item being activated; so the
    // path is taken now and opened once the view has finished with the event.
    connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        if (!item)
            return;
        const QString path = item->data(0, kPathRole).toString();
        QMetaObject::invokeMethod(
            this, [this, path] { setPath(path); }, Qt::QueuedConnection);
    });
}

void DirectoryBox::setDriveMap(const DriveMap* drives)
{
    drives_ = drives;
}

QString DirectoryBox::resolve(const QString& dosPath) const
{
    QString text = dosPath;
    text.replace(QLatin1Char('/'), QLatin1Char('\\'));
    QChar letter;
    QString rest;
    QStringList parts;
    if (text.size() >= 2 && text.at(0).isLetter() && text.at(1) == QLatin1Char(':')) {
        letter = text.at(0).toUpper();
        rest = text.mid(2);
        // "F:NAME" is relative to the current directory when it is on F:.
        if (!rest.startsWith(QLatin1Char('\\')) && !path_.isEmpty() &&
            path_.at(0).toUpper() == letter)
            parts = path_.mid(3).split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    } else {
        if (path_.isEmpty())
            return {};
        letter = path_.at(0);
        rest = text;
        if (!rest.startsWith(QLatin1Char('\\')))
            parts = path_.mid(3).split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    }
    for (const QString& part : rest.split(QLatin1Char('\\'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..")) {
            if (!parts.isEmpty())
                parts.removeLast();
            continue;
        }
        parts.append(part);
    }
    return joinDos(letter, parts);
}

bool DirectoryBox::setPath(const QString& dosPath)
{
    if (!drives_)
        return false;
    const QString resolved = resolve(dosPath);
    if (resolved.isEmpty())
        return false;
    const QChar letter = resolved.at(0);
    const QString root = drives_->hostRoot(letter);
    const QString host = drives_->hostPath(resolved);
    if (root.isEmpty() || host.isEmpty())
        return false;
    const QFileInfo info(host);
    if (!info.isDir() || !info.isReadable() || !info.isExecutable())
        return false;

    // The value spells the names as the host lists them.
    const QString relative = QDir(root).relativeFilePath(info.absoluteFilePath());
    const QStringList parts = relative == QLatin1String(".")
                                  ? QStringList()
                                  : relative.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    const QString value = joinDos(letter, parts);
    if (value == path_)
        return true;
    path_ = value;
    rebuild(info.absoluteFilePath());
    emit pathChanged();
    return true;
}

void DirectoryBox::rebuild(const QString& hostDir)
{
    clear();
    const QChar letter = path_.at(0);
    const QStringList parts = path_.mid(3).split(QLatin1Char('\\'), Qt::SkipEmptyParts);

    auto* item = new QTreeWidgetItem(this, {joinDos(letter, {})});
    item->setData(0, kPathRole, joinDos(letter, {}));
    QStringList walked;
    for (const QString& part : parts) {
        walked.append(part);
        auto* child = new QTreeWidgetItem(item, {part});
        child->setData(0, kPathRole, joinDos(letter, walked));
        item->setExpanded(true);
        item = child;
    }
    QTreeWidgetItem* current = item;

    QStringList subdirs = QDir(hostDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort);
    std::sort(subdirs.begin(), subdirs.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    for (const QString& name : subdirs) {
        auto* child = new QTreeWidgetItem(current, {name});
        QStringList childParts = parts;
        childParts.append(name);
        child->setData(0, kPathRole, joinDos(letter, childParts));
    }
    current->setExpanded(true);
    setCurrentItem(current);
    scrollToItem(current);
}

} // namespace quorvex
