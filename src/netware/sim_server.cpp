// SPDX-License-Identifier: GPL-3.0-or-later
#include "netware/sim_server.h"

#include "netware/sim_state_reader.h"
#include "netware/sim_state_writer.h"
#include "platform/termination_signals.h"

#include <QFile>
#include <QHash>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace nw {
namespace {

// Holds flock on the lock file beside the state for its lifetime.
class FileLock
{
public:
    explicit FileLock(const QString& statePath)
    {
        const QByteArray name = QFile::encodeName(statePath + QLatin1String(".lock"));
        fd_ = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (fd_ >= 0 && ::flock(fd_, LOCK_EX) != 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~FileLock()
    {
        if (fd_ >= 0)
            ::close(fd_); // closing releases the lock
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// How long a look at the file stays good: a change by another process is seen
// at most this much later, and a scan of thousands of connections does not
// spend its time in stat().
constexpr auto kStatInterval = std::chrono::milliseconds(2);

// Why a state file could not be looked at.
QString missingReason(int code)
{
    switch (code) {
    case ENOENT:
        return QStringLiteral("no such file");
    case ELOOP:
        return QStringLiteral("a loop of symbolic links");
    default:
        return QString::fromLocal8Bit(std::strerror(code));
    }
}

std::mutex generationMutex;
QHash<QString, std::uint64_t>& generations()
{
    static QHash<QString, std::uint64_t> map;
    return map;
}

} // namespace

std::uint64_t SimServer::localGeneration(const QString& path)
{
    std::lock_guard guard(generationMutex);
    return generations().value(path);
}

void SimServer::bumpLocalGeneration(const QString& path)
{
    std::lock_guard guard(generationMutex);
    ++generations()[path];
}

SimServer::SimServer(QString statePath) : statePath_(std::move(statePath)) {}

std::optional<SimServer::FileId> SimServer::statFile() const
{
    struct stat st
    {
    };
    if (::stat(QFile::encodeName(statePath_).constData(), &st) != 0)
        return std::nullopt;
    return FileId{(long long)st.st_size,
                  (long long)st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec,
                  (long long)st.st_ctim.tv_sec * 1000000000LL + st.st_ctim.tv_nsec,
                  (unsigned long long)st.st_ino};
}

void SimServer::refreshLocked()
{
    const auto now = std::chrono::steady_clock::now();
    const std::uint64_t generation = localGeneration(statePath_);
    if (loadedId_ && now - lastStat_ < kStatInterval && generation == seenGeneration_)
        return;
    lastStat_ = now;
    seenGeneration_ = generation;
    const auto id = statFile();
    if (id && loadedId_ && *id == *loadedId_)
        return;
    if (!id) {
        const int code = errno;
        loadedId_.reset();
        state_.reset();
        error_ = QStringLiteral("%1: cannot read: %2").arg(statePath_, missingReason(code));
        return;
    }
    SimLoadResult result = loadSimState(statePath_);
    loadedId_ = id;
    state_ = std::move(result.state);
    error_ = result.error;
}

std::shared_ptr<const SimState> SimServer::state()
{
    std::lock_guard guard(mutex_);
    refreshLocked();
    return state_;
}

QString SimServer::errorText()
{
    std::lock_guard guard(mutex_);
    refreshLocked();
    return error_;
}

bool SimServer::mutate(const std::function<bool(SimState&)>& change, QString* error)
{
    std::lock_guard guard(mutex_);
    FileLock lock(statePath_);
    if (!lock.held()) {
        if (error)
            *error = QStringLiteral("%1: cannot lock %1.lock").arg(statePath_);
        return false;
    }
    // Look again under the lock: another process may have written since. Every
    // write makes a new file (rename), so an unchanged identity means unchanged
    // content.
    lastStat_ = {};
    refreshLocked();
    if (!state_) {
        if (error)
            *error = error_;
        return false;
    }
    auto next = std::make_shared<SimState>(*state_);
    if (!change(*next))
        return true;
    next->reindex();
    if (!saveSimState(*next, statePath_, error))
        return false;
    bumpLocalGeneration(statePath_);
    seenGeneration_ = localGeneration(statePath_);
    loadedId_ = statFile();
    state_ = std::move(next);
    return true;
}

std::optional<NWCCODE> SimServer::beginCall(const char* callName,
                                            std::shared_ptr<const SimState>* stateOut)
{
    const auto current = state();
    if (stateOut)
        *stateOut = current; // null: unreachable
    if (!current)
        return kInvalidConnection;
    if (current->latencyMs > 0)
        quorvex::sleepUnlessTerminating(current->latencyMs);
    const SimFault* fault = current->faultFor(QLatin1String(callName));
    if (!fault)
        return std::nullopt;
    if (fault->count < 0 && fault->after == 0)
        return fault->code;
    // Consume under the lock; another process may have taken it meanwhile.
    std::optional<NWCCODE> code;
    const bool ok = mutate([&](SimState& s) {
        for (auto it = s.faults.begin(); it != s.faults.end(); ++it) {
            if (it->count == 0 ||
                it->call.compare(QLatin1String(callName), Qt::CaseInsensitive) != 0)
                continue;
            if (it->after > 0) {
                --it->after; // this call still passes
                return true;
            }
            code = it->code;
            if (it->count < 0)
                return false; // permanent: nothing to persist
            if (--it->count == 0)
                s.faults.erase(it);
            return true;
        }
        return false;
    });
    if (!ok) {
        if (stateOut)
            stateOut->reset();
        return kInvalidConnection;
    }
    if (!code && stateOut)
        *stateOut = state();
    return code;
}

} // namespace nw
