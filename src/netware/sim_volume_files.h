// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A simulated server's volume, read through its folder on this machine as the
// server shows it: the attributes the state file gives an entry (hidden,
// system, read-only) count, as they do in the server's own answers.

#include "platform/host_folder_files.h"

#include <memory>

namespace nw {

class SimServer;
class SimState;

class SimVolumeFiles : public quorvex::HostFolderFiles
{
public:
    // root: the folder of the drive's root (the volume's, or its mapped
    // root's); rootPath: that root as a path in the volume ("DATA:PUBLIC").
    SimVolumeFiles(SimServer& server, QString root, QString rootPath);

    // One look at the state for the whole listing, not one per entry.
    std::optional<QList<quorvex::FileEntry>> list(const QStringList& dir) override;

protected:
    std::uint32_t attributesOf(const QStringList& names,
                               const quorvex::HostFileStat& file) const override;

private:
    SimServer& server_;
    QString rootPath_;
    std::shared_ptr<const SimState> listing_; // held while list() runs
};

} // namespace nw
