#include "files/drive_box.h"

namespace quorvex {

DriveBox::DriveBox(QWidget* parent) : QComboBox(parent) {}

void DriveBox::setDriveMap(const DriveMap* drives)
{
    drives_ = drives;
}

QString DriveBox::drive() const
{
    return currentText();
}

bool DriveBox::setDrive(const QString& text)
{
    if (text.isEmpty())
        return false;
    const QChar letter = text.at(0).toLower();
    for (int i = 0; i < count(); ++i) {
        if (itemText(i).at(0).toLower() == letter) {
            if (i != currentIndex()) {
                setCurrentIndex(i);
                emit driveChanged();
            }
            return true;
        }
    }
    return false;
}

} // namespace quorvex
