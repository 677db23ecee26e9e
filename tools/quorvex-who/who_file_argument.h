// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What quorvex-who hands the client for a FILE argument: a DOS path on a
// network drive as it is, a volume path with its server as SERVER\VOL:PATH, a
// volume path alone or a UNC path as it is, a path on this machine as the DOS
// path of the drive whose folder holds it. Where the file can be seen on this
// machine it must exist there.

#include <QString>

namespace quorvex::who {

class WhoSetup;

struct FileArgument
{
    QString clientPath;
    QString server; // the server the argument names; "" when it names none
    QString error;  // why the argument names no file ("" when it does)
};

FileArgument resolveFileArgument(const QString& argument, const WhoSetup& setup);

} // namespace quorvex::who
