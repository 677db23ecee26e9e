// SPDX-License-Identifier: GPL-3.0-or-later
#include "netware/sim_state.h"

#include "netware/sim_path.h"

#include <QMap>

#include <algorithm>

namespace nw {

void SimState::indexNames()
{
    volumeByName_.clear();
    objectByName_.clear();
    objectById_.clear();
    objectByFullName_.clear();
    volumeByName_.reserve(qsizetype(volumes.size()));
    objectByName_.reserve(qsizetype(objects.size()));
    objectById_.reserve(qsizetype(objects.size()));
    objectByFullName_.reserve(qsizetype(objects.size()));
    for (int i = 0; i < int(volumes.size()); ++i)
        volumeByName_.insert(volumes[i].name.toUpper(), i);
    for (int i = 0; i < int(objects.size()); ++i) {
        objectByName_.insert(objects[i].name.toUpper(), i);
        objectById_.insert(objects[i].id, i);
        objectByFullName_.insert(objects[i].fullName().toUpper(), i);
    }
}

void SimState::reindex()
{
    indexNames();
    indexRest();
}

void SimState::indexRest()
{
    connByNumber_.clear();
    openByPath_.clear();
    trusteesByObject_.clear();
    trusteesByPath_.clear();
    fileByPath_.clear();
    connByNumber_.reserve(qsizetype(connections.size()));
    trusteesByObject_.reserve(qsizetype(trustees.size()));
    trusteesByPath_.reserve(qsizetype(trustees.size()));
    fileByPath_.reserve(qsizetype(files.size()));
    for (int c = 0; c < int(connections.size()); ++c) {
        const SimConnection& conn = connections[c];
        connByNumber_.insert(conn.number, c);
        for (int o = 0; o < int(conn.open.size()); ++o)
            openByPath_[normalizeNwPath(conn.open[o].path)].push_back(
                SimOpenRef{conn.number, conn.open[o].task, c, o});
    }
    for (auto& refs : openByPath_)
        std::sort(refs.begin(), refs.end(), [](const SimOpenRef& a, const SimOpenRef& b) {
            return a.connNumber != b.connNumber ? a.connNumber < b.connNumber : a.task < b.task;
        });
    for (int i = 0; i < int(trustees.size()); ++i) {
        trusteesByObject_[trustees[i].objectId].push_back(i);
        trusteesByPath_[normalizeNwPath(trustees[i].path)].push_back(i);
    }
    for (int i = 0; i < int(files.size()); ++i)
        fileByPath_.insert(normalizeNwPath(files[i].path), i);
    indexContainers();
}

void SimState::indexContainers()
{
    containers_.clear();
    containerByName_.clear();
    containerById_.clear();
    QMap<QString, QString> names; // upper-cased -> as first written, sorted
    for (const SimObject& o : objects) {
        QString context = o.context;
        while (!context.isEmpty()) {
            names.insert(context.toUpper(), context);
            const int dot = context.indexOf(QLatin1Char('.'));
            context = dot < 0 ? QString() : context.mid(dot + 1);
        }
    }
    // IDs from the top of the range down, skipping any an object holds.
    std::uint32_t next = 0xFF000001u;
    for (auto it = names.cbegin(); it != names.cend(); ++it) {
        while (objectById_.contains(next))
            ++next;
        containerByName_.insert(it.key(), int(containers_.size()));
        containerById_.insert(next, int(containers_.size()));
        containers_.push_back(SimContainer{next++, it.value()});
    }
}

const SimContainer* SimState::containerById(std::uint32_t id) const
{
    const int i = containerById_.value(id, -1);
    return i < 0 ? nullptr : &containers_[std::size_t(i)];
}

const SimContainer* SimState::containerByName(const QString& name) const
{
    const int i = containerByName_.value(name.toUpper(), -1);
    return i < 0 ? nullptr : &containers_[std::size_t(i)];
}

int SimState::subordinateCount(const QString& container) const
{
    int count = 0;
    for (const SimObject& o : objects)
        count += o.context.compare(container, Qt::CaseInsensitive) == 0;
    for (const SimContainer& c : containers_) {
        const int dot = c.name.indexOf(QLatin1Char('.'));
        const QString parent = dot < 0 ? QString() : c.name.mid(dot + 1);
        count += parent.compare(container, Qt::CaseInsensitive) == 0;
    }
    return count;
}

namespace {

// Names are looked up upper-cased; most are already, and need no copy.
QString upperKey(const QString& name)
{
    return name.isUpper() ? name : name.toUpper();
}

} // namespace

int SimState::volumeIndex(const QString& name) const
{
    QString key = upperKey(name);
    if (key.endsWith(QLatin1Char(':')))
        key.chop(1);
    return volumeByName_.value(key, -1);
}

const SimObject* SimState::objectByName(const QString& name) const
{
    const int i = objectByName_.value(upperKey(name), -1);
    return i < 0 ? nullptr : &objects[i];
}

const SimObject* SimState::objectById(std::uint32_t id) const
{
    const int i = objectById_.value(id, -1);
    return i < 0 ? nullptr : &objects[i];
}

const SimObject* SimState::objectByFullName(const QString& fullName) const
{
    const int i = objectByFullName_.value(upperKey(fullName), -1);
    return i < 0 ? nullptr : &objects[i];
}

int SimState::connectionIndex(std::uint16_t number) const
{
    return connByNumber_.value(number, -1);
}

const SimConnection* SimState::connection(std::uint16_t number) const
{
    const int i = connectionIndex(number);
    return i < 0 ? nullptr : &connections[i];
}

const std::vector<SimOpenRef>& SimState::openEntries(const QString& normPath) const
{
    static const std::vector<SimOpenRef> none;
    auto it = openByPath_.constFind(normPath);
    return it == openByPath_.constEnd() ? none : *it;
}

const std::vector<int>& SimState::trusteesOfObject(std::uint32_t id) const
{
    static const std::vector<int> none;
    auto it = trusteesByObject_.constFind(id);
    return it == trusteesByObject_.constEnd() ? none : *it;
}

std::vector<int> SimState::trusteePathsOn(std::uint32_t id, int volume) const
{
    std::vector<int> out;
    for (const int index : trusteesOfObject(id)) {
        const auto split = splitNwPath(trustees[std::size_t(index)].path);
        if (split && volumeIndex(split->volume) == volume)
            out.push_back(index);
    }
    return out;
}

const std::vector<int>& SimState::trusteesOfPath(const QString& normPath) const
{
    static const std::vector<int> none;
    auto it = trusteesByPath_.constFind(normPath);
    return it == trusteesByPath_.constEnd() ? none : *it;
}

const SimFileData* SimState::fileData(const QString& normPath) const
{
    const int i = fileByPath_.value(normPath, -1);
    return i < 0 ? nullptr : &files[i];
}

const SimFault* SimState::faultFor(const QString& call) const
{
    for (const SimFault& f : faults)
        if (f.count != 0 && f.call.compare(call, Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

int SimState::connectionsSupported() const
{
    int highest = 0;
    for (const SimConnection& c : connections)
        highest = std::max(highest, int(c.number));
    return std::max({maxConnections, highest, int(workstation.connection)});
}

int SimState::connectionsPeak() const
{
    return std::max(peakConnections, int(connections.size()));
}

QString SimState::treeName() const
{
    return tree.isEmpty() ? server + QLatin1String("_TREE") : tree;
}

std::vector<std::uint32_t> SimState::groupsOf(std::uint32_t id) const
{
    std::vector<std::uint32_t> groups;
    for (const SimObject& o : objects)
        if (o.type == kObjectGroup &&
            std::find(o.members.begin(), o.members.end(), id) != o.members.end())
            groups.push_back(o.id);
    return groups;
}

} // namespace nw
