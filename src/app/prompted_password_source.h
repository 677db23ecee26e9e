// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The passwords of NCP logins: from the file the settings name for a server,
// otherwise asked once per run in a masked box. Kept in memory only.
//
// A password the server refuses is never tried again on its own: a password
// file is read again only once its modification time has changed; a typed
// password is asked for again only when a person starts the work (a click,
// a key, the command line), never for the rescan timer. What the server said
// of a login (refused and why, or a grace login) is told to the person once.

#include "ncp/password_source.h"

#include <functional>
#include <memory>

namespace quorvex {

class AttemptOrigin;
class Prompts;

class LoginPasswords : public ncp::PasswordSource
{
public:
    // Where the notices go; until set, they are message boxes (standard
    // error when headless).
    virtual void setNoticeSink(std::function<void(const QString&)> sink) = 0;
};

// Asks through prompts; a refused password file is reported there too (a
// message box, or standard error when headless). origin may be null (every
// attempt then counts as a person's).
std::unique_ptr<LoginPasswords> makePasswordSource(Prompts& prompts,
                                                   const AttemptOrigin* origin = nullptr);

} // namespace quorvex
