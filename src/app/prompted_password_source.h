#pragma once

// The passwords of NCP logins: from the file the settings name for a server,
// otherwise asked once per run in a masked box. Kept in memory only.

#include "ncp/password_source.h"

#include <memory>

namespace quorvex {

class Prompts;

// Asks through prompts; a refused password file is reported there too (a
// message box, or standard error when headless).
std::unique_ptr<ncp::PasswordSource> makePasswordSource(Prompts& prompts);

} // namespace quorvex
