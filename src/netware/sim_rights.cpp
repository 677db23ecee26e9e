// SPDX-License-Identifier: GPL-3.0-or-later
#include "netware/sim_rights.h"

#include "netware/sim_path.h"

#include <QStringList>

#include <set>

namespace nw {

namespace {

// The object and everything whose assignments count for it.
std::set<std::uint32_t> trusteesFor(const SimState& state, std::uint32_t objectId)
{
    std::set<std::uint32_t> ids{objectId};
    std::vector<std::uint32_t> equals;
    if (const SimObject* o = state.objectById(objectId))
        equals = o->equals;
    equals.push_back(objectId);
    for (std::uint32_t id : equals) {
        ids.insert(id);
        for (std::uint32_t group : state.groupsOf(id))
            ids.insert(group);
    }
    return ids;
}

bool isSupervisor(const SimState& state, std::uint32_t id)
{
    const SimObject* o = state.objectById(id);
    return o && (o->name.compare(QLatin1String("SUPERVISOR"), Qt::CaseInsensitive) == 0 ||
                 o->name.compare(QLatin1String("ADMIN"), Qt::CaseInsensitive) == 0);
}

} // namespace

std::uint16_t effectiveRights(const SimState& state, std::uint32_t objectId,
                              const QString& normPath)
{
    const std::set<std::uint32_t> ids = trusteesFor(state, objectId);
    for (std::uint32_t id : ids)
        if (isSupervisor(state, id))
            return kAllRights | kRightSupervisor;
    const auto split = splitNwPath(normPath);
    if (!split)
        return 0;
    QString level = split->volume + QLatin1Char(':');
    const QStringList names = split->relative.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    std::uint16_t rights = 0;
    for (qsizetype i = -1; i < names.size(); ++i) {
        if (i >= 0)
            level = joinNwPath(level, names[i]);
        bool assigned = false;
        std::uint16_t here = 0;
        for (int t : state.trusteesOfPath(normalizeNwPath(level))) {
            const SimTrustee& trustee = state.trustees[std::size_t(t)];
            if (ids.contains(trustee.objectId)) {
                assigned = true;
                here |= trustee.rights;
            }
        }
        if (assigned)
            rights = here;
        if (rights & kRightSupervisor)
            return kAllRights | kRightSupervisor;
    }
    return rights;
}

} // namespace nw
