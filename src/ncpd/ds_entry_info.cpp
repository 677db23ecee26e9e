// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd/ds_entry_info.h"

#include "ncp/ds_fields.h"
#include "ncp/wire_writer.h"

namespace ncpd {
namespace {

void putString(ncp::WireWriter& out, const QString& text)
{
    ncp::writeSized(out, ncp::utf16z(text));
}

// The flags this server fills; others are left out of the reply and of its
// output-fields word.
constexpr std::uint32_t kServed = 0x000FFFFF;

} // namespace

QByteArray encodeEntryInfoData(std::uint32_t infoFlags, const DsEntryInfo& e)
{
    const std::uint32_t f = infoFlags & kServed;
    ncp::WireWriter out;
    if (f & kInfoOutputFields)
        out.u32le(f);
    if (f & kInfoEntryId)
        out.u32le(e.id);
    if (f & kInfoEntryFlags)
        out.u32le(e.flags);
    if (f & kInfoSubordinateCount)
        out.u32le(e.subordinates);
    if (f & kInfoModificationTime)
        out.u32le(0);
    // Time stamps: seconds, replica number, event; the simulation keeps none.
    if (f & kInfoModificationStamp)
        out.zeros(8);
    if (f & kInfoCreationStamp)
        out.zeros(8);
    if (f & kInfoPartitionRootId)
        out.u32le(e.partitionRootId);
    if (f & kInfoParentId)
        out.u32le(e.parentId);
    if (f & kInfoRevisionCount)
        out.u32le(0);
    if (f & kInfoReplicaType)
        out.u32le(0); // the master replica
    if (f & kInfoBaseClass)
        putString(out, e.baseClass);
    if (f & kInfoEntryRdn)
        putString(out, e.rdn);
    if (f & kInfoEntryDn)
        putString(out, e.dn);
    if (f & kInfoPartitionRootDn)
        putString(out, e.partitionRootDn);
    if (f & kInfoParentDn)
        putString(out, e.parentDn);
    if (f & kInfoPurgeTime)
        out.u32le(0);
    if (f & kInfoReplicaNumber)
        out.u32le(1);
    if (f & kInfoReplicaState)
        out.u32le(0); // on
    return out.take();
}

} // namespace ncpd
