// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What one NCP session keeps of its files: the files it has open (87/1, until
// 66 closes them or the session ends) and the listings its searches walk
// (87/2, then 87/20 from a position in the listing).

#include "ncpd/entry_block.h"

#include <QFile>
#include <QString>

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace ncpd {

class FileSession
{
public:
    struct OpenFile
    {
        std::unique_ptr<QFile> file;
        bool read = false;
        bool write = false;
    };
    struct Search
    {
        int volume = -1;
        std::vector<EntryFields> entries;
    };

    // The handle of a file now open; nullopt when the session holds as many
    // as a server gives one station.
    std::optional<std::uint32_t> open(std::unique_ptr<QFile> file, bool read, bool write);
    OpenFile* file(std::uint32_t handle);
    bool close(std::uint32_t handle);

    // The listing a search of directory (its entry number) walks; the last
    // few are kept.
    void keep(std::uint32_t directory, Search search);
    Search* search(std::uint32_t directory);

private:
    std::map<std::uint32_t, OpenFile> files_;
    std::uint32_t nextHandle_ = 1;
    std::map<std::uint32_t, Search> searches_;
    std::deque<std::uint32_t> searchOrder_;
};

} // namespace ncpd
