// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>

namespace quorvex {

class DriveMap;

// The drive box: one entry per drive of the drive map, shown as the letter and
// colon in lower case, then what the drive holds ("f: [FS1/DATA:]"). Its value
// is the text of the current entry; it starts with no drive chosen, so that the
// first drive set at start-up is always a change.
class DriveBox : public QComboBox
{
    Q_OBJECT
public:
    explicit DriveBox(QWidget* parent = nullptr);

    // Fills the box from the map without reporting a change.
    void setDriveMap(const DriveMap* drives);
    QString drive() const;
    // Selects the drive named by the first letter of text; false when no drive of
    // the map has that letter. Emits driveChanged when the value changes.
    bool setDrive(const QString& text);
    // Selects the drive without reporting a change (putting the box back).
    void restoreDrive(const QString& text);

signals:
    // The value changed, by the user or by setDrive.
    void driveChanged();

private:
    int indexOfDrive(const QString& text) const;

    const DriveMap* drives_ = nullptr;
};

} // namespace quorvex
