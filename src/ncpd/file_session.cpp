// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd/file_session.h"

namespace ncpd {

namespace {

constexpr std::size_t kMaxOpenFiles = 128;
constexpr std::size_t kSearchesKept = 8;

} // namespace

std::optional<std::uint32_t> FileSession::open(std::unique_ptr<QFile> file, bool read, bool write)
{
    if (files_.size() >= kMaxOpenFiles)
        return std::nullopt;
    while (nextHandle_ == 0 || files_.contains(nextHandle_))
        ++nextHandle_;
    const std::uint32_t handle = nextHandle_++;
    files_[handle] = OpenFile{std::move(file), read, write};
    return handle;
}

FileSession::OpenFile* FileSession::file(std::uint32_t handle)
{
    const auto it = files_.find(handle);
    return it == files_.end() ? nullptr : &it->second;
}

bool FileSession::close(std::uint32_t handle)
{
    return files_.erase(handle) > 0;
}

void FileSession::keep(std::uint32_t directory, Search search)
{
    if (!searches_.contains(directory)) {
        searchOrder_.push_back(directory);
        if (searchOrder_.size() > kSearchesKept) {
            searches_.erase(searchOrder_.front());
            searchOrder_.pop_front();
        }
    }
    searches_[directory] = std::move(search);
}

FileSession::Search* FileSession::search(std::uint32_t directory)
{
    const auto it = searches_.find(directory);
    return it == searches_.end() ? nullptr : &it->second;
}

} // namespace ncpd
