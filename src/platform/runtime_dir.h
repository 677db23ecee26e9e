// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTemporaryDir>

#include <memory>

namespace quorvex {

// Qt wants a runtime directory (XDG_RUNTIME_DIR), which a desktop session sets
// up; cron, systemd timers and ssh often give none, and Qt then warns on
// standard error at every run, which cron mails. Without one, the program
// makes a private directory for its run (mode 0700, in the temporary
// directory), names it in XDG_RUNTIME_DIR and removes it when it ends.
// Construct it before the application object.
class PrivateRuntimeDir
{
public:
    PrivateRuntimeDir();
    ~PrivateRuntimeDir();
    PrivateRuntimeDir(const PrivateRuntimeDir&) = delete;
    PrivateRuntimeDir& operator=(const PrivateRuntimeDir&) = delete;

    // Whether this run made one.
    bool isActive() const { return dir_ != nullptr; }

private:
    std::unique_ptr<QTemporaryDir> dir_;
};

} // namespace quorvex
