// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One simulated server, backed by its state file. Several processes share the
// server through that file: reads reload it only when it changed (size,
// modification time or inode), and every change is made under an advisory lock
// on "<state>.lock", on a fresh reload, and written back atomically.

#include "netware/netware_client.h"
#include "netware/sim_state.h"

#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

namespace nw {

class SimServer
{
public:
    explicit SimServer(QString statePath);

    const QString& statePath() const { return statePath_; }

    // The current state, reloaded when the file changed; null when the file
    // cannot be read or parsed (the server is then unreachable).
    std::shared_ptr<const SimState> state();
    // Why state() is null.
    QString errorText();

    // Applies a change under the lock on a fresh reload. change returns false to
    // leave the file untouched. Returns false (with *error) when the state cannot
    // be read or written; an unreadable file is never overwritten.
    bool mutate(const std::function<bool(SimState&)>& change, QString* error = nullptr);

    // What every client call does first: wait latencyMs, then consume a fault
    // for the call (persisted). Returns the code to answer instead of working,
    // or nullopt to go on. *stateOut receives the state to answer from, null
    // when the server is unreachable (the answer is then 0x8801).
    std::optional<NWCCODE> beginCall(const char* callName,
                                     std::shared_ptr<const SimState>* stateOut = nullptr);

private:
    struct FileId
    {
        long long size = -1;
        long long mtimeNs = 0;
        long long ctimeNs = 0;
        unsigned long long inode = 0;
        bool operator==(const FileId&) const = default;
    };
    std::optional<FileId> statFile() const;
    void refreshLocked();
    // Writes by any SimServer of this process bump a counter per state file,
    // so that a look at the file can be skipped for a moment after the last
    // one without missing this process's own changes.
    static std::uint64_t localGeneration(const QString& path);
    static void bumpLocalGeneration(const QString& path);

    QString statePath_;
    std::mutex mutex_;
    std::optional<FileId> loadedId_;
    std::chrono::steady_clock::time_point lastStat_{};
    std::uint64_t seenGeneration_ = 0;
    std::shared_ptr<const SimState> state_;
    QString error_;
};

} // namespace nw
