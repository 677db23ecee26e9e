// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/file_listing.h"

#include "files/dos_pattern.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace quorvex {

FileListing listFiles(const std::optional<QList<FileEntry>>& directory, const QString& pattern,
                      bool includeHidden)
{
    FileListing result;
    const DosPattern match(pattern);
    if (!directory || !match.isValid())
        return result;
    const std::uint32_t refused =
        attr::Directory | attr::System | (includeHidden ? 0 : attr::Hidden);
    for (const FileEntry& entry : *directory) {
        if ((entry.attributes & refused) == 0 && match.matches(entry.name))
            result.names.append(entry.name);
    }
    sortIgnoringCase(result.names);
    result.ok = true;
    return result;
}

QStringList subdirectories(const QList<FileEntry>& directory)
{
    QStringList names;
    for (const FileEntry& entry : directory) {
        if (entry.isDirectory() && !(entry.attributes & (attr::Hidden | attr::System)))
            names.append(entry.name);
    }
    sortIgnoringCase(names);
    return names;
}

void sortIgnoringCase(QStringList& names)
{
    // Fold once, then sort indexes: folding inside every comparison would cost
    // more than the sort itself for a large directory.
    std::vector<QString> folded;
    folded.reserve(names.size());
    for (const QString& name : names)
        folded.push_back(name.toCaseFolded());
    std::vector<qsizetype> order(names.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](qsizetype a, qsizetype b) { return folded[a] < folded[b]; });
    QStringList sorted;
    sorted.reserve(names.size());
    for (qsizetype i : order)
        sorted.append(names.at(i));
    names = std::move(sorted);
}

} // namespace quorvex
