#include "ncpd/entry_table.h"

namespace ncpd {

std::uint32_t EntryTable::entryFor(const QString& key)
{
    std::lock_guard guard(mutex_);
    if (const auto it = byKey_.constFind(key); it != byKey_.constEnd())
        return *it;
    // 2^32 - 1 distinct paths in one run is out of reach; skipping 0 keeps
    // "no entry" free should it ever wrap.
    const std::uint32_t entry = next_++;
    if (next_ == 0)
        next_ = 1;
    byKey_.insert(key, entry);
    byEntry_.insert(entry, key);
    return entry;
}

std::optional<QString> EntryTable::keyOf(std::uint32_t entry) const
{
    std::lock_guard guard(mutex_);
    if (const auto it = byEntry_.constFind(entry); it != byEntry_.constEnd())
        return *it;
    return std::nullopt;
}

} // namespace ncpd
