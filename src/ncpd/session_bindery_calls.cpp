// SPDX-License-Identifier: GPL-3.0-or-later
// Bindery queries of a logged-in session, answered from the bindery the
// state implies (BinderyView): scanning objects and properties, reading
// property values and the connection's access level.

#include "ncpd/bindery_query_requests.h"
#include "ncpd/bindery_view.h"
#include "ncpd/session_dispatcher.h"
#include "netware/sim_path.h"

#include <algorithm>

namespace ncpd {
namespace {

constexpr std::uint8_t kNoSuchSegment = 0xEC;
constexpr std::uint8_t kNoSuchProperty = 0xFB;
constexpr std::uint8_t kNoSuchObject = 0xFC;

} // namespace

SessionDispatcher::Answer SessionDispatcher::scanObject(const QByteArray& data)
{
    const auto request = decodeScanObject(data);
    if (!request)
        return malformed();
    const auto s = state();
    if (!s)
        return fromCode(nw::kInvalidConnection);
    const BinderyView bindery(*s);
    const QString pattern = nw::fromWire(request->pattern.constData());
    for (const BinderyObject& o : bindery.objects()) {
        if (request->lastId != kScanFirst && o.id <= request->lastId)
            continue;
        if (request->type != kAnyObjectType && o.type != request->type)
            continue;
        if (!wildcardMatch(pattern, o.name))
            continue;
        Answer a;
        a.data = encodeScanObjectReply(o.id, o.type, nw::toWire(o.name), o.flags, o.security,
                                       !bindery.properties(o).empty());
        return a;
    }
    return completion(kNoSuchObject);
}

SessionDispatcher::Answer SessionDispatcher::scanProperty(const QByteArray& data)
{
    const auto request = decodeScanProperty(data);
    if (!request)
        return malformed();
    const auto s = state();
    if (!s)
        return fromCode(nw::kInvalidConnection);
    const BinderyView bindery(*s);
    const BinderyObject* o = bindery.find(request->type, nw::fromWire(request->object.constData()));
    if (!o)
        return completion(kNoSuchObject);
    const auto props = bindery.properties(*o);
    const QString pattern = nw::fromWire(request->pattern.constData());
    const auto matches = [&](const BinderyProperty& p) {
        return wildcardMatch(pattern, QString::fromLatin1(p.name));
    };
    // The instance handed back is the property's place from 1, so that the
    // next scan starts after it.
    const std::size_t from = request->lastInstance == kScanFirst ? 0 : request->lastInstance;
    for (std::size_t i = from; i < props.size(); ++i) {
        if (!matches(props[i]))
            continue;
        const bool more = std::any_of(props.begin() + std::ptrdiff_t(i) + 1, props.end(), matches);
        Answer a;
        a.data = encodeScanPropertyReply(props[i].name, props[i].flags, props[i].security,
                                         std::uint32_t(i + 1), !props[i].value.isEmpty(), more);
        return a;
    }
    return completion(kNoSuchProperty);
}

SessionDispatcher::Answer SessionDispatcher::readProperty(const QByteArray& data)
{
    const auto request = decodeReadProperty(data);
    if (!request)
        return malformed();
    const auto s = state();
    if (!s)
        return fromCode(nw::kInvalidConnection);
    const BinderyView bindery(*s);
    const BinderyObject* o = bindery.find(request->type, nw::fromWire(request->object.constData()));
    if (!o)
        return completion(kNoSuchObject);
    for (const BinderyProperty& p : bindery.properties(*o)) {
        if (p.name.compare(request->property, Qt::CaseInsensitive) != 0)
            continue;
        const int segments = int(p.value.size() / kSegmentSize);
        if (request->segment < 1 || request->segment > segments)
            return completion(kNoSuchSegment);
        Answer a;
        a.data = encodeReadPropertyReply(
            p.value.mid(qsizetype(request->segment - 1) * kSegmentSize, kSegmentSize),
            request->segment < segments, p.flags);
        return a;
    }
    return completion(kNoSuchProperty);
}

SessionDispatcher::Answer SessionDispatcher::accessLevel()
{
    const auto s = state();
    if (!s)
        return fromCode(nw::kInvalidConnection);
    // Read and write: supervisor (3) or the object itself (2).
    const std::uint8_t level = BinderyView(*s).isSupervisor(loginObject_) ? 0x33 : 0x22;
    Answer a;
    a.data = encodeAccessLevelReply(level, loginObject_);
    return a;
}

} // namespace ncpd
