// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd/bindery_view.h"

#include "ncp/wire_writer.h"
#include "netware/sim_path.h"

#include <algorithm>

namespace ncpd {
namespace {

// The file server's own object when the state has none of that name.
constexpr std::uint32_t kServerObjectBase = 0x01000001u;

// IDs big-endian, 32 to a segment, the last segment padded with zeros; an
// empty set still has one segment.
QByteArray idSet(const std::vector<std::uint32_t>& ids)
{
    ncp::WireWriter out;
    for (const std::uint32_t id : ids)
        out.u32be(id);
    QByteArray value = out.take();
    const qsizetype segments =
        std::max<qsizetype>(1, (value.size() + kSegmentSize - 1) / kSegmentSize);
    value.append(segments * kSegmentSize - value.size(), '\0');
    return value;
}

QByteArray item(const QByteArray& bytes)
{
    QByteArray value = bytes.left(kSegmentSize - 1);
    value.append(kSegmentSize - value.size(), '\0');
    return value;
}

} // namespace

std::uint32_t serverObjectId(const nw::SimState& state)
{
    if (const nw::SimObject* o = state.objectByName(state.server);
        o && o->type == nw::kObjectFileServer)
        return o->id;
    std::uint32_t id = kServerObjectBase;
    while (state.objectById(id))
        ++id;
    return id;
}

BinderyView::BinderyView(const nw::SimState& state) : state_(state)
{
    objects_.reserve(state.objects.size() + 1);
    bool serverListed = false;
    for (const nw::SimObject& o : state.objects) {
        BinderyObject b;
        b.id = o.id;
        b.type = o.type;
        b.name = o.name.toUpper();
        if (o.type == nw::kObjectFileServer) {
            b.flags = kPropertyDynamic;
            b.security = 0x40;
            serverListed |= o.name.compare(state.server, Qt::CaseInsensitive) == 0;
        }
        objects_.push_back(b);
    }
    if (!serverListed)
        objects_.push_back(BinderyObject{serverObjectId(state), nw::kObjectFileServer,
                                         state.server.toUpper(), kPropertyDynamic, 0x40});
    std::sort(objects_.begin(), objects_.end(),
              [](const BinderyObject& a, const BinderyObject& b) { return a.id < b.id; });
}

const BinderyObject* BinderyView::find(std::uint16_t type, const QString& name) const
{
    for (const BinderyObject& o : objects_)
        if (o.type == type && o.name.compare(name, Qt::CaseInsensitive) == 0)
            return &o;
    return nullptr;
}

std::vector<BinderyProperty> BinderyView::properties(const BinderyObject& object) const
{
    std::vector<BinderyProperty> props;
    if (object.type == nw::kObjectFileServer) {
        const nw::SimAddress& a = state_.address;
        ncp::WireWriter address;
        address.bytes(a.network).bytes(a.node).bytes(a.socket);
        props.push_back({"NET_ADDRESS", kPropertyDynamic, 0x40, item(address.take())});
        return props;
    }
    const nw::SimObject* o = state_.objectById(object.id);
    if (!o)
        return props;
    if (o->type == nw::kObjectGroup)
        props.push_back({"GROUP_MEMBERS", kPropertySet, 0x31, idSet(o->members)});
    if (o->type == nw::kObjectUser) {
        const std::vector<std::uint32_t> groups = state_.groupsOf(o->id);
        props.push_back({"GROUPS_I'M_IN", kPropertySet, 0x31, idSet(groups)});
        // A user is security-equal to each group it is in, and to whatever
        // else the state names.
        std::vector<std::uint32_t> equals = groups;
        for (const std::uint32_t id : o->equals)
            if (std::find(equals.begin(), equals.end(), id) == equals.end())
                equals.push_back(id);
        props.push_back({"SECURITY_EQUALS", kPropertySet, 0x32, idSet(equals)});
        // Of the login control only what the state models: account disabled
        // (byte 3) and the grace logins left (byte 7); the expiry dates, the
        // password interval and the time restrictions read 0.
        QByteArray control(kSegmentSize, '\0');
        control[3] = o->disabled ? char(0xFF) : '\0';
        control[7] = char(std::min(o->graceLogins, 255));
        props.push_back({"LOGIN_CONTROL", 0, 0x32, control});
    }
    if (!o->identification.isEmpty())
        props.push_back({"IDENTIFICATION", 0, 0x31, item(nw::toWire(o->identification))});
    return props;
}

bool BinderyView::isSupervisor(std::uint32_t id) const
{
    const nw::SimObject* o = state_.objectById(id);
    if (!o)
        return false;
    const auto supervisor = [](const nw::SimObject* s) {
        return s && s->name.compare(QLatin1String("SUPERVISOR"), Qt::CaseInsensitive) == 0;
    };
    if (supervisor(o))
        return true;
    return std::any_of(o->equals.begin(), o->equals.end(),
                       [&](std::uint32_t e) { return supervisor(state_.objectById(e)); });
}

bool wildcardMatch(const QString& pattern, const QString& text)
{
    // The greedy walk with one backtrack point: enough for '*' and '?'.
    qsizetype p = 0, t = 0, star = -1, resume = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == QLatin1Char('*')) {
            star = p++;
            resume = t;
        } else if (p < pattern.size() &&
                   (pattern[p] == QLatin1Char('?') || pattern[p].toUpper() == text[t].toUpper())) {
            ++p;
            ++t;
        } else if (star >= 0) {
            p = star + 1;
            t = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == QLatin1Char('*'))
        ++p;
    return p == pattern.size();
}

} // namespace ncpd
