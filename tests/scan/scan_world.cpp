// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan_world.h"

#include "files/directory_box.h"
#include "files/drive_box.h"

#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace quorvex;

namespace {

QString folderOf(QChar letter)
{
    return letter.toUpper() == QLatin1Char('C') ? QStringLiteral("c") : QStringLiteral("data");
}

} // namespace

ScanWorld::ScanWorld()
{
    QDir(t.root()).mkpath(QStringLiteral("c"));
    QDir(t.root()).mkpath(QStringLiteral("data"));
    t.mapDrive(QLatin1Char('C'), QStringLiteral("fixed:") + t.path(QStringLiteral("c")));
    t.mapDrive(QLatin1Char('F'),
               QStringLiteral("network:FS1/DATA:@") + t.path(QStringLiteral("data")));
    services.reset(new Services{*t.settings, t.drives, prompts, t.clock, t.shell, t.printer,
                                t.clipboard, t.dirs, false});
    form = std::make_unique<Form1>(*services, client);
    form->Drive1->setDriveMap(&t.drives);
    form->Dir1->setDriveMap(&t.drives);
    for (const DriveEntry& e : t.drives.entries())
        form->Drive1->addItem(t.drives.displayName(e.letter));
}

ScanWorld::~ScanWorld()
{
    form.reset();
}

void ScanWorld::remapDrive(QChar letter, const QString& type)
{
    t.mapDrive(letter, type + t.path(folderOf(letter)));
}

void ScanWorld::createFile(const QString& dosPath)
{
    t.createFile(folderOf(dosPath.at(0)) +
                     QString(dosPath.mid(2)).replace(QLatin1Char('\\'), QLatin1Char('/')),
                 "x");
}

void ScanWorld::choose(const QString& dosPath)
{
    const qsizetype slash = dosPath.lastIndexOf(QLatin1Char('\\'));
    QString directory = dosPath.left(slash);
    if (directory.size() == 2)
        directory += QLatin1Char('\\');
    const QString name = dosPath.mid(slash + 1);
    form->Drive1->setDrive(dosPath.left(2));
    form->Dir1->setPath(directory);
    QList<QListWidgetItem*> found = form->List3->findItems(name, Qt::MatchExactly);
    if (found.isEmpty()) {
        form->List3->addItem(name);
        found = form->List3->findItems(name, Qt::MatchExactly);
    }
    form->List3->setCurrentItem(found.first());
    form->Command1->setVisible(true);
}

void ScanWorld::scan()
{
    QTest::mouseClick(form->Command1, Qt::LeftButton);
}

QStringList ScanWorld::userLines() const
{
    QStringList lines;
    for (int i = 0; i < form->List1->count(); ++i)
        lines << form->List1->item(i)->text();
    return lines;
}
