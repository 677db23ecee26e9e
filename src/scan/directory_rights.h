// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "netware/netware_client.h"

#include <QString>

namespace quorvex {

// The explicit trustee rights a user holds on the scanned file: of the user's
// trustee paths on the file's volume, only the file itself and the directories
// on its path count, and the assignment nearest the file wins (the file, then
// its directory, then each ancestor up to the volume root). Names are compared
// ignoring case. No inherited rights are computed and no filter is applied.
//
// volumePath: "VOLUME:DIR\FILE" as the scan's parse gave it; userName: the login
// name in upper case, looked up from the root of the directory tree. Returns the
// rights as text (RightsToText), or the empty text when no assignment applies.
// Errors are passed over: a call that fails leaves what it left.
QString GetDirectoryRights(nw::NetWareClient& client, const QString& volumePath,
                           const QString& userName);

// How far a trustee path is from the file: 0 for the file itself, 1 for its
// directory, and so on up to the volume root; -1 when the path is not on the
// file's path. A trustee path without a volume is taken on the file's volume.
int trusteeDistance(const QString& volumePath, const QString& trusteePath);

} // namespace quorvex
