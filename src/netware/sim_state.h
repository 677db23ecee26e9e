// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The state of one simulated server as its state file describes it, with the
// indexes the hot calls need (object by name and id, connection by number, open
// entries by file, trustees by object and by path), so that a scan of many
// connections costs a hash look-up per call.

#include <QDateTime>
#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace nw {

struct SimAddress
{
    std::uint16_t type = 0;
    std::array<std::uint8_t, 4> network{};
    std::array<std::uint8_t, 6> node{};
    std::array<std::uint8_t, 2> socket{};
};

struct SimVolume
{
    QString name;
    QString root;    // as written in the state file
    QString hostDir; // absolute host directory
    // The volume has the long name space besides the DOS one; without it
    // every name is an 8.3 name and requests in the long name space are
    // refused, as a volume without the name space loaded refuses them.
    bool longNames = true;
};

// Bindery object types.
inline constexpr std::uint16_t kObjectUser = 1;
inline constexpr std::uint16_t kObjectGroup = 2;
inline constexpr std::uint16_t kObjectFileServer = 4;

struct SimObject
{
    std::uint32_t id = 0;
    QString name;
    QString context; // dot-separated; empty = root of the tree
    // Plain text, for the simulation only; an object without one accepts only
    // the empty password.
    std::optional<QString> password;
    // Intruder detection: refusals in a row, and how many lock the account
    // (0: never). A locked account answers every login 0xC5 until
    // failedLogins goes back below the limit.
    int failedLogins = 0;
    int intruderLimit = 0;
    // An expired password logs in on a grace login (0xDF) while graceLogins
    // lasts, one used per login; then 0xDE. A disabled account answers 0xDC.
    bool passwordExpired = false;
    int graceLogins = 0;
    bool disabled = false;

    // What the directory login needs, as servers keep it (no password in the
    // clear): the bindery's 16-byte password hash (the upper-cased password
    // shuffled with the ID; it stands before "password" when both are
    // given), the object's public key and its private key sealed under that
    // hash, in the directory's key form. Empty when the object has none.
    QByteArray passwordHash;
    QByteArray publicKey;
    QByteArray privateKey;

    bool locked() const { return intruderLimit > 0 && failedLogins >= intruderLimit; }
    std::uint16_t type = kObjectUser;
    QString identification;             // the full name clients read; empty: none
    std::vector<std::uint32_t> members; // a group's members (GROUP_MEMBERS)
    std::vector<std::uint32_t> equals;  // SECURITY_EQUALS as the state gives it

    // "JSMITH.SALES.ACME", or "BOB" at the root.
    QString fullName() const
    {
        return context.isEmpty() ? name : name + QLatin1Char('.') + context;
    }
};

// A container of the directory tree (organization or organizational unit),
// made from the contexts objects sit in: "SALES.ACME" holds JSMITH and sits
// in "ACME". Containers get entry IDs of their own, outside the objects' IDs.
struct SimContainer
{
    std::uint32_t id = 0;
    QString name; // typeless, dot-separated from the leaf: "SALES.ACME"
};

struct SimWorkstation
{
    std::uint16_t connection = 1;
    QString user;
    bool consoleOperator = true;
};

struct SimOpenEntry
{
    QString path; // as written
    std::uint16_t task = 1;
    std::uint8_t lockType = 0;
    std::uint8_t access = 0;
    std::uint8_t locked = 0;
};

struct SimConnection
{
    std::uint16_t number = 0;
    QString user;
    QDateTime login;
    SimAddress address;
    bool acceptsMessages = true;
    std::vector<SimOpenEntry> open;
    QJsonArray messages;
};

struct SimTrustee
{
    QString path;
    std::uint32_t objectId = 0;
    std::uint16_t rights = 0;
};

// Directory-entry data the host file system does not hold; unset fields come
// from the host file (dates) or read as 0 (objects).
struct SimFileData
{
    QString path; // as written
    std::optional<std::uint32_t> attributes;
    std::optional<QDateTime> created, archived, modified, accessed;
    std::uint32_t owner = 0, archiver = 0, modifier = 0;
};

struct SimFault
{
    QString call;
    std::uint32_t code = 0;
    int count = 1; // -1 = always
    int after = 0; // calls that pass before the fault strikes
};

// One open entry as the connections-using-a-file scan lists it.
struct SimOpenRef
{
    std::uint16_t connNumber = 0;
    std::uint16_t task = 0;
    int connIndex = 0;
    int openIndex = 0;
};

// How an NCP server serving the state answers where real servers differ:
// as NetWare does, or as the server emulators do (a 132-byte 22/40 entry, the
// trustee-path list ended by an empty entry, the older forms of clearing a
// connection and broadcasting, no 23/244).
enum class SimProfile
{
    NetWare,
    Emulator
};

class SimState
{
public:
    QString server;
    int versionMajor = 6;
    int versionMinor = 5;
    std::vector<SimVolume> volumes;
    std::vector<SimObject> objects;
    SimWorkstation workstation;
    std::vector<SimConnection> connections;
    std::vector<SimTrustee> trustees;
    std::vector<SimFileData> files;
    std::vector<SimFault> faults;
    int latencyMs = 0;
    int batchSize = 70;
    int emptyBatches = 0;
    // How long an NCP session may stay silent before the server drops it.
    int watchdogSeconds = 300;
    SimProfile profile = SimProfile::NetWare;
    // What the server reports of itself: the connections it is licensed for
    // (never below the highest connection number, so a client can walk them
    // all), the most it has had in use, its directory tree and its address.
    int maxConnections = 250;
    int peakConnections = 0;
    QString tree;
    SimAddress address;
    // Packet signing: 0 never, 1 when the client asks, 2 when the client
    // can, 3 always (a client that does not sign cannot log in).
    int signatureLevel = 1;
    // The server's own key pair in the directory's key form (the private
    // key in the clear, as the server holds it); empty when it has none.
    QByteArray publicKey;
    QByteArray privateKey;
    QJsonObject unknownKeys; // kept so that a rewrite does not drop them

    // Rebuilds every index; call after changing the vectors.
    void reindex();
    // Rebuilds the indexes of volumes and objects alone (what reading the
    // rest of a state looks up).
    void indexNames();
    // Rebuilds the other indexes (connections, open files, trustees, files),
    // once indexNames() is current.
    void indexRest();

    int volumeIndex(const QString& name) const;
    const SimObject* objectByName(const QString& name) const;
    SimObject* objectByName(const QString& name)
    {
        return const_cast<SimObject*>(std::as_const(*this).objectByName(name));
    }
    const SimObject* objectById(std::uint32_t id) const;
    // By full typeless name ("JSMITH.SALES.ACME"), case ignored.
    const SimObject* objectByFullName(const QString& fullName) const;
    int connectionIndex(std::uint16_t number) const;
    const SimConnection* connection(std::uint16_t number) const;
    // Open entries of a file (normalised path), by connection number then task.
    const std::vector<SimOpenRef>& openEntries(const QString& normPath) const;
    // Indexes into trustees, in file order.
    const std::vector<int>& trusteesOfObject(std::uint32_t id) const;
    // The object's trustee paths on one volume, in file order.
    std::vector<int> trusteePathsOn(std::uint32_t id, int volume) const;
    const std::vector<int>& trusteesOfPath(const QString& normPath) const;
    const SimFileData* fileData(const QString& normPath) const;
    // First fault naming the call (case ignored), or nullptr.
    const SimFault* faultFor(const QString& call) const;

    // The containers of the tree, sorted by name; look-ups ignore case.
    const std::vector<SimContainer>& containers() const { return containers_; }
    const SimContainer* containerById(std::uint32_t id) const;
    const SimContainer* containerByName(const QString& name) const;
    // Objects and containers whose context is the container (or the root for "").
    int subordinateCount(const QString& container) const;

    // Connection counts as the server reports them.
    int connectionsSupported() const;
    int connectionsPeak() const;
    // The tree's name ("tree", else the server's name with "_TREE").
    QString treeName() const;
    // The groups an object is a member of, in state order.
    std::vector<std::uint32_t> groupsOf(std::uint32_t id) const;

private:
    void indexContainers();

    QHash<QString, int> volumeByName_;
    QHash<QString, int> objectByName_;
    QHash<std::uint32_t, int> objectById_;
    QHash<QString, int> objectByFullName_;
    QHash<std::uint16_t, int> connByNumber_;
    QHash<QString, std::vector<SimOpenRef>> openByPath_;
    QHash<std::uint32_t, std::vector<int>> trusteesByObject_;
    QHash<QString, std::vector<int>> trusteesByPath_;
    QHash<QString, int> fileByPath_;
    std::vector<SimContainer> containers_;
    QHash<QString, int> containerByName_;
    QHash<std::uint32_t, int> containerById_;
};

} // namespace nw
