// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/drive_box.h"

#include "platform/drive_map.h"

#include <QSignalBlocker>

namespace quorvex {

DriveBox::DriveBox(QWidget* parent) : QComboBox(parent)
{
    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            emit driveChanged();
    });
}

void DriveBox::setDriveMap(const DriveMap* drives)
{
    drives_ = drives;
    const QSignalBlocker blocker(this);
    clear();
    if (drives_) {
        for (const DriveEntry& e : drives_->entries())
            addItem(drives_->displayName(e.letter));
    }
    setCurrentIndex(-1);
}

QString DriveBox::drive() const
{
    return currentText();
}

int DriveBox::indexOfDrive(const QString& text) const
{
    if (text.isEmpty() || !text.at(0).isLetter())
        return -1;
    const QChar letter = text.at(0).toLower();
    for (int i = 0; i < count(); ++i) {
        if (itemText(i).at(0).toLower() == letter)
            return i;
    }
    return -1;
}

bool DriveBox::setDrive(const QString& text)
{
    const int i = indexOfDrive(text);
    if (i < 0)
        return false;
    setCurrentIndex(i); // reports the change through currentIndexChanged
    return true;
}

void DriveBox::restoreDrive(const QString& text)
{
    const QSignalBlocker blocker(this);
    setCurrentIndex(indexOfDrive(text));
}

} // namespace quorvex
