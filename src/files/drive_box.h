#pragma once

#include <QComboBox>

namespace quorvex {

class DriveMap;

// The drive box: one entry per drive of the drive map, shown as the letter and
// colon in lower case, then what the drive holds ("f: [FS1/DATA:]"). Its value
// is the text of the current entry; setting it to a text whose first letter names
// a drive selects that drive and reports a change.
class DriveBox : public QComboBox
{
    Q_OBJECT
public:
    explicit DriveBox(QWidget* parent = nullptr);

    void setDriveMap(const DriveMap* drives);
    QString drive() const;
    // Selects the drive named by the first letter of text; false when no drive of
    // the map has that letter. Emits driveChanged when the value changes.
    bool setDrive(const QString& text);

signals:
    void driveChanged();

private:
    const DriveMap* drives_ = nullptr;
};

} // namespace quorvex
