// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The rights an object holds on a simulated server's directory entry, as a
// file server works them out from its trustee assignments.

#include "netware/sim_state.h"

#include <QString>

#include <cstdint>

namespace nw {

inline constexpr std::uint16_t kRightRead = 0x0001;
inline constexpr std::uint16_t kRightWrite = 0x0002;
inline constexpr std::uint16_t kRightCreate = 0x0008;
inline constexpr std::uint16_t kRightErase = 0x0010;
inline constexpr std::uint16_t kRightFileScan = 0x0040;
inline constexpr std::uint16_t kRightModify = 0x0080;
inline constexpr std::uint16_t kRightSupervisor = 0x0100;
inline constexpr std::uint16_t kAllRights = 0x01FB;

// The object's effective rights on an entry (a normalised VOL:PATH): the
// assignments of the object, of the groups it is a member of and of the
// objects it is security-equal to, taken together at the deepest level of the
// path that has any (an assignment lower down replaces what the levels above
// give); the Supervisor right anywhere on the way grants every right below
// it. The bindery's SUPERVISOR and the directory's ADMIN hold every right, as
// a server's own supervisors do.
std::uint16_t effectiveRights(const SimState& state, std::uint32_t objectId,
                              const QString& normPath);

} // namespace nw
