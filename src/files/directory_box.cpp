#include "files/directory_box.h"

namespace quorvex {

DirectoryBox::DirectoryBox(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
}

void DirectoryBox::setDriveMap(const DriveMap* drives)
{
    drives_ = drives;
}

bool DirectoryBox::setPath(const QString& dosPath)
{
    if (dosPath == path_)
        return true;
    path_ = dosPath;
    emit pathChanged();
    return true;
}

} // namespace quorvex
