#include "files/file_listing.h"

#include "files/dos_pattern.h"

#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>
#include <numeric>
#include <vector>

namespace quorvex {

FileListing listFiles(const QString& hostDir, const QString& pattern, bool includeHidden)
{
    FileListing result;
    const DosPattern match(pattern);
    if (hostDir.isEmpty() || !match.isValid())
        return result;
    const QFileInfo dir(hostDir);
    if (!dir.isDir() || !dir.isReadable() || !dir.isExecutable())
        return result;

    // Without QDir::System the iterator leaves out sockets, devices, pipes and
    // dangling links, which is what "system file" means here.
    QDir::Filters filters = QDir::Files;
    if (includeHidden)
        filters |= QDir::Hidden;
    QDirIterator it(hostDir, filters);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        if (match.matches(name))
            result.names.append(name);
    }
    sortIgnoringCase(result.names);
    result.ok = true;
    return result;
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
