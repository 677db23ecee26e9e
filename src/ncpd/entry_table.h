#pragma once

// Directory entry numbers handed out by 23/244: each normalised VOL:PATH gets
// a 32-bit number, stable for the life of the server process and never 0, so
// that 23/236 and 87/6 can name a file by number. Shared by every session and
// used from their worker threads, hence the lock.

#include <QHash>
#include <QString>

#include <cstdint>
#include <mutex>
#include <optional>

namespace ncpd {

class EntryTable
{
public:
    // The number of a normalised path key, made on first use.
    std::uint32_t entryFor(const QString& key);
    // The path key of a number, nullopt when none was handed out.
    std::optional<QString> keyOf(std::uint32_t entry) const;

private:
    mutable std::mutex mutex_;
    QHash<QString, std::uint32_t> byKey_;
    QHash<std::uint32_t, QString> byEntry_;
    std::uint32_t next_ = 1;
};

} // namespace ncpd
