// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/directory_box.h"

#include "files/directory_reader.h"
#include "files/file_listing.h"
#include "platform/drive_map.h"
#include "platform/file_helpers.h"

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

std::optional<QList<FileEntry>> DirectoryBox::read(const QString& dosDir)
{
    return reader_ ? reader_->read(dosDir) : readDirectory(*drives_, dosDir);
}

bool DirectoryBox::setPath(const QString& dosPath)
{
    if (!drives_)
        return false;
    const QString resolved = resolve(dosPath);
    if (resolved.isEmpty())
        return false;
    const auto place = filesOf(*drives_, resolved);
    if (!place)
        return false;
    // The value spells the names as the host or the server lists them.
    const auto spelt = place->files->resolve(place->names);
    if (!spelt)
        return false;
    const QString value = joinDos(resolved.at(0), *spelt);
    if (value == path_) {
        const auto entry = place->files->info(*spelt);
        return entry && entry->isDirectory();
    }
    const auto directory = read(value);
    if (!directory)
        return false;
    path_ = value;
    rebuild(*directory);
    emit pathChanged();
    return true;
}

bool DirectoryBox::refresh()
{
    if (!drives_ || path_.isEmpty())
        return false;
    const auto directory = read(path_);
    if (!directory)
        return false;
    rebuild(*directory);
    return true;
}

void DirectoryBox::rebuild(const QList<FileEntry>& directory)
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

    for (const QString& name : subdirectories(directory)) {
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
