// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the server checks a login against: an object's password hash (the
// stored one, or made from the clear password the state gives, or from the
// empty password when it gives neither), and whether a name in a login
// identity is the object's.

#include "ncpauth/login_messages.h"
#include "netware/sim_state.h"

#include <QByteArray>

#include <optional>

namespace ncpd {

// nullopt when the clear password has a character the servers' encoding
// cannot hold (no login can match it).
std::optional<ncp::PasswordHash> objectPasswordHash(const nw::SimObject& object);

// nameUtf16: a distinguished name as it travels (UTF-16LE with its
// terminator), typed or typeless, any case.
bool namesEntry(const QByteArray& nameUtf16, const nw::SimObject& object);

} // namespace ncpd
