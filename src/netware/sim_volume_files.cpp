// SPDX-License-Identifier: GPL-3.0-or-later
#include "netware/sim_volume_files.h"

#include "netware/sim_path.h"
#include "netware/sim_server.h"

#include "platform/host_file_stat.h"

namespace nw {

SimVolumeFiles::SimVolumeFiles(SimServer& server, QString root, QString rootPath)
    : HostFolderFiles(std::move(root)), server_(server), rootPath_(std::move(rootPath))
{
}

std::optional<QList<quorvex::FileEntry>> SimVolumeFiles::list(const QStringList& dir)
{
    listing_ = server_.state();
    auto entries = HostFolderFiles::list(dir);
    listing_.reset();
    return entries;
}

std::uint32_t SimVolumeFiles::attributesOf(const QStringList& names,
                                           const quorvex::HostFileStat& file) const
{
    const std::uint32_t host = HostFolderFiles::attributesOf(names, file);
    const auto state = listing_ ? listing_ : server_.state();
    if (!state || state->files.empty())
        return host;
    const SimFileData* data =
        state->fileData(normalizeNwPath(joinNwPath(rootPath_, names.join(QLatin1Char('\\')))));
    if (!data || !data->attributes)
        return host;
    // The state's word, with the directory bit as the host has it.
    const std::uint32_t directory = quorvex::attr::Directory;
    return (*data->attributes & ~directory) | (host & directory);
}

} // namespace nw
