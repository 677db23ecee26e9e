// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd/directory_snapshot.h"

#include "netware/dos_name.h"

#include <algorithm>

namespace ncpd {

std::vector<EntryFields> readSearchDirectory(const nw::SimState& state, const VolumeEntry& dir)
{
    const nw::SimVolume& volume = state.volumes[std::size_t(dir.volume)];
    struct Found
    {
        QString name;
        QString path;
        quorvex::HostFileStat host;
    };
    std::vector<Found> found;
    for (quorvex::HostDirEntry& e :
         quorvex::readHostDirectory(dir.host).value_or(std::vector<quorvex::HostDirEntry>())) {
        if (!e.stat || !(e.stat->directory || e.stat->regular))
            continue;
        QString path = dir.host + QLatin1Char('/') + e.name;
        if (e.link && !insideVolume(volume, path))
            continue;
        found.push_back({std::move(e.name), std::move(path), *e.stat});
    }
    std::vector<QString> names;
    names.reserve(found.size());
    for (const Found& f : found)
        names.push_back(f.name);
    // Folded once: folding inside every comparison costs more than the sort.
    std::vector<QString> folded;
    folded.reserve(names.size());
    for (const QString& name : names)
        folded.push_back(name.toCaseFolded());
    std::vector<std::size_t> order(found.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const int c = folded[a].compare(folded[b]);
        return c != 0 ? c < 0 : names[a] < names[b];
    });
    QStringList sorted;
    sorted.reserve(qsizetype(order.size()));
    for (std::size_t i : order)
        sorted.append(names[i]);
    const QStringList dos = nw::assignDosNames(sorted);
    const QString prefix =
        dir.key.endsWith(QLatin1Char(':')) ? dir.key : dir.key + QLatin1Char('\\');
    std::vector<EntryFields> entries;
    entries.reserve(order.size());
    for (qsizetype n = 0; n < sorted.size(); ++n) {
        const Found& f = found[order[std::size_t(n)]];
        const nw::SimDirEntry entry{sorted[n], dos[n], f.path, f.host.directory};
        entries.push_back(
            listedFields(state, dir.volume, prefix + sorted[n].toUpper(), entry, f.host));
    }
    return entries;
}

} // namespace ncpd
