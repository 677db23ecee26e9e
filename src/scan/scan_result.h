// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvex {

// What the last scan that got past its checks knew about the file; the steps
// after a completed scan and the actions read it.
struct ScanResult
{
    QString fileName;      // bare name of the scanned file
    QString longPath;      // directory prefix + file name, as the browser showed it
    QString clientPath;    // short form handed to the client
    QString volumePath;    // VOLUME:DIR\FILE as the parse returned it
    QString lastLoginName; // login name of the last entry whose information was read
};

} // namespace quorvex
