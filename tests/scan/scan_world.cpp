#include "scan_world.h"

#include "files/directory_box.h"
#include "files/drive_box.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace quorvex;

ScanWorld::ScanWorld()
{
    QDir(dir.path()).mkpath(QStringLiteral("c"));
    QDir(dir.path()).mkpath(QStringLiteral("data"));
    store = std::make_unique<SettingsStore>(dir.filePath(QStringLiteral("Quorvex.ini")));
    store->setValue(QStringLiteral("Drives"), QStringLiteral("C"),
                    QStringLiteral("fixed:") + dir.filePath(QStringLiteral("c")));
    store->setValue(QStringLiteral("Drives"), QStringLiteral("F"),
                    QStringLiteral("network:FS1/DATA:@") + dir.filePath(QStringLiteral("data")));
    drives.reload(*store);
    dirs = std::make_unique<AppDirs>(dir.path(), dir.filePath(QStringLiteral("share")),
                                     store->filePath(), dir.path());
    services.reset(new Services{*store, drives, prompts, clock, shell, printer, clipboard, *dirs});
    form = std::make_unique<Form1>(*services, client);
    form->Drive1->setDriveMap(&drives);
    form->Dir1->setDriveMap(&drives);
    for (const DriveEntry& e : drives.entries())
        form->Drive1->addItem(drives.displayName(e.letter));
}

ScanWorld::~ScanWorld()
{
    form.reset();
}

void ScanWorld::createFile(const QString& dosPath)
{
    const QString host =
        dir.filePath((dosPath.at(0).toUpper() == QLatin1Char('C') ? QStringLiteral("c")
                                                                  : QStringLiteral("data")) +
                     QString(dosPath.mid(2)).replace(QLatin1Char('\\'), QLatin1Char('/')));
    QDir().mkpath(QFileInfo(host).path());
    QFile file(host);
    file.open(QIODevice::WriteOnly);
    file.write("x");
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
