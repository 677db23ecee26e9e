// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// DOS (8.3) names of the long names in one directory, as the server's DOS name
// space keeps them: a name that fits 8.3 is its upper-case self; any other gets
// BASENA~N.EXT, N the lowest number not yet taken in that directory.

#include <QString>
#include <QStringList>

namespace nw {

bool fitsDos83(const QString& name);

// DOS names for longNames, index for index. The caller passes the names in a
// stable order (the result depends on it only among names that collide).
QStringList assignDosNames(const QStringList& longNames);

} // namespace nw
