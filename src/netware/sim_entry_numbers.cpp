// SPDX-License-Identifier: GPL-3.0-or-later
#include "netware/sim_entry_numbers.h"

namespace nw {

std::uint32_t SimEntryTable::entryFor(const QString& key)
{
    std::lock_guard guard(mutex_);
    if (const auto it = byKey_.constFind(key); it != byKey_.constEnd())
        return *it;
    const std::uint32_t entry = next_++;
    if (next_ == 0)
        next_ = 1; // 0 stays "no entry" should it ever wrap
    byKey_.insert(key, entry);
    byEntry_.insert(entry, key);
    return entry;
}

std::optional<QString> SimEntryTable::keyOf(std::uint32_t entry) const
{
    std::lock_guard guard(mutex_);
    if (const auto it = byEntry_.constFind(entry); it != byEntry_.constEnd())
        return *it;
    return std::nullopt;
}

} // namespace nw
