#pragma once

#include <QString>
#include <QStringList>

namespace quorvex {

class DriveMap;

// The names of the files in a DOS folder ("F:\PREP\") that match a pattern such as
// "*.*" or "*.doc;*.txt" (case ignored; "*.*" also matches names without a dot),
// sorted as a file list shows them. Hidden files are listed only when asked;
// subdirectories never. Empty when the folder cannot be reached.
QStringList fileNamesMatching(const DriveMap& drives, const QString& folder, const QString& pattern,
                              bool includeHidden);

} // namespace quorvex
