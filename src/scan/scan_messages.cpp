// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/scan_messages.h"

#include <utility>

namespace quorvex {

namespace {

const std::pair<nw::NWCCODE, const char*> kMessages[] = {
    {0x8801, "Error! Invalid connection."},
    {0x890A, "Error! NLM Invalid connection."},
    {0x8996, "Error! Server out of memory."},
    {0x8998, "Error! Volume does not exist."},
    {0x899B, "Error! Bad directory handle."},
    {0x899C, "Error! Invalid path/unrecognized file format."},
    {0x89A1, "Error! Directory I/O error."},
    {0x89A8, "Error! Access denied."},
    {0x89C6, "Error! No console privileges - see your LAN Administrator."},
    {0x89FD, "Error! Bad station number."},
    {0x89FF, "Error! Lock error."},
};

} // namespace

bool isKnownScanError(nw::NWCCODE code)
{
    for (const auto& [known, text] : kMessages) {
        if (known == code)
            return true;
    }
    return false;
}

QString scanErrorText(nw::NWCCODE code)
{
    for (const auto& [known, text] : kMessages) {
        if (known == code)
            return QLatin1String(text);
    }
    return QStringLiteral("Error! Unknown error %1 has occurred.").arg(std::int32_t(code));
}

QString serverProblemText(const QString& problem)
{
    return problem.isEmpty() ? QString()
                             : QStringLiteral("\r\nThe server cannot be used: ") + problem;
}

} // namespace quorvex
