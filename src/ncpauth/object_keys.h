// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a server keeps so that an object can log in, made from a password:
// the bindery's password hash (16 bytes), and for the directory a key pair,
// the private key sealed under that hash. The password itself is kept
// nowhere. And the server's own key pair.

#include "ncpauth/login_messages.h"
#include "netware/sim_state.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace ncp {

// The bindery's password hash of an object's password (upper-cased, in the
// servers' encoding, shuffled with the object ID); the encoded password is
// wiped once used. nullopt when the password has a character that encoding
// cannot hold.
std::optional<PasswordHash> passwordHashOf(std::uint32_t objectId, const QString& password);

// Sets the object's password: its hash, and with keys a new key pair (keys:
// the server has directory services). The clear password the state may have
// held goes. False when the password has a character the servers' encoding
// cannot hold, or no key pair could be made; the object is then unchanged.
bool setObjectPassword(nw::SimObject& object, const QString& password, bool keys);

// Gives the state's server a key pair when it has none. False when none
// could be made.
bool ensureServerKeys(nw::SimState& state);

} // namespace ncp
