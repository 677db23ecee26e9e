// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Directory entry numbers of a simulated server: each normalised VOL:PATH gets
// a 32-bit number, never 0, stable for as long as the numbering lives, so that
// calls can name a file or directory by number (the parent and entry of an
// open file, a path's directory base). A client numbers for itself unless it
// is given a numbering to share (the NCP server shares one among its
// sessions). Safe to use from several threads.

#include <QHash>
#include <QString>

#include <cstdint>
#include <mutex>
#include <optional>

namespace nw {

class SimEntryNumbers
{
public:
    virtual ~SimEntryNumbers() = default;
    // The number of a normalised path key, made on first use.
    virtual std::uint32_t entryFor(const QString& key) = 0;
    // The path key of a number, nullopt when none was handed out.
    virtual std::optional<QString> keyOf(std::uint32_t entry) const = 0;
};

class SimEntryTable : public SimEntryNumbers
{
public:
    std::uint32_t entryFor(const QString& key) override;
    std::optional<QString> keyOf(std::uint32_t entry) const override;

private:
    mutable std::mutex mutex_;
    QHash<QString, std::uint32_t> byKey_;
    QHash<std::uint32_t, QString> byEntry_;
    std::uint32_t next_ = 1;
};

} // namespace nw
