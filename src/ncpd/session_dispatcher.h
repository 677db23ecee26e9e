// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The server side of one NCP session: turns each request into the call of the
// same meaning on a simulated-server client of its own, and the result into a
// reply. The first session acts as the state's workstation connection, so its
// answers equal what the in-process simulation gives; every other session has
// a connection number of its own and, once logged in, is listed in the state
// as a connection of its user until it ends. The state's "profile" picks the
// answers where real servers differ (NetWare's, or the server emulators').
//
// Blocking (the simulated calls wait latencyMs): run it off the event loop.
// One instance is used by one thread at a time.

#include "ncp/ncp_packet.h"
#include "ncpauth/packet_signature.h"
#include "ncpd/ds_fragments.h"
#include "ncpd/volume_paths.h"
#include "netware/sim_client.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

namespace ncpd {

class ConnectionNumbers;
class EntryTable;
class FileSession;
struct ServerEntry;

class SessionDispatcher
{
public:
    struct Answer
    {
        std::uint8_t completion = 0;
        std::uint8_t connectionStatus = 0;
        QByteArray data;    // from offset 8
        bool drop = false;  // the request does not hold together: end the session unanswered
        bool close = false; // destroy: answer, then end the session
    };

    SessionDispatcher(const QString& serverName, const QString& statePath, EntryTable& entries,
                      ConnectionNumbers& numbers);
    ~SessionDispatcher();
    SessionDispatcher(const SessionDispatcher&) = delete;
    SessionDispatcher& operator=(const SessionDispatcher&) = delete;

    Answer handle(const ncp::Request& request);

    // A login that has just succeeded and starts signed packets: its reply
    // goes unsigned, every frame after it is signed from this root. Taken
    // once, after the request that set it.
    std::optional<ncp::SignRoot> takeSignRoot() { return std::exchange(signRoot_, std::nullopt); }

    // A directory-services verb's answer: its directory error and data.
    struct DsVerbAnswer
    {
        std::int32_t error = 0;
        QByteArray data;
    };

    // The number this session's replies carry, taken at create.
    std::uint16_t connectionNumber() const { return connection_; }
    bool loggedIn() const { return loggedIn_; }
    // True when the state asks for no latency, so that a call answers at once
    // and needs no thread of its own to keep "still working" replies going.
    bool answersAtOnce();

private:
    static Answer malformed();
    static Answer fromCode(nw::NWCCODE code, QByteArray dataOnSuccess = {});
    static Answer completion(std::uint8_t byte);

    Answer create();
    Answer destroy();
    // Gives the connection number back and takes the session's connection
    // out of the state.
    void endConnection();
    // Lists a session that is not the workstation's as a connection of user.
    void listConnection(const nw::SimObject& user);
    // False when the server has cleared this session's own connection.
    bool stillConnected(const nw::SimState& state) const;
    bool emulator();
    Answer routeBeforeLogin(const ncp::Request& request, bool* handled);
    Answer route(const ncp::Request& request);
    std::shared_ptr<const nw::SimState> state();

    // Bindery and login (session_login.cpp).
    Answer versionInfo();
    Answer changeConnectionState(const QByteArray& data);
    Answer loginKey();
    Answer objectId(const QByteArray& data);
    Answer keyedLogin(const QByteArray& data);
    Answer objectName(const QByteArray& data);
    // Counts a login's outcome on the object: refusals in a row, grace logins.
    void recordLogin(std::uint32_t objectId, bool refused, bool graceUsed);
    // What follows a proven password: the login is recorded (a grace login
    // uses one up), then a disabled account or an expired password without
    // grace logins left refuses it. The bindery's completion code: 0, 0xDF
    // (a grace login, which goes on), 0xDC (disabled) or 0xDE (expired).
    std::uint8_t admitLogin(const nw::SimObject& o);

    // Connections (session_connection_calls.cpp).
    Answer pathToEntry(const QByteArray& data);
    Answer connsUsingFile(const QByteArray& data);
    Answer connectionInfo(const QByteArray& data);
    Answer inetAddr(const QByteArray& data);
    Answer broadcast(const QByteArray& data, std::uint32_t replyLimit);
    Answer oldBroadcast(const QByteArray& data);
    Answer clearConnection(const QByteArray& data);
    Answer clearConnectionOld(const QByteArray& data);
    Answer clearConnectionNumber(std::uint32_t connection);
    Answer clearFileLock(const QByteArray& data);
    Answer clearLockSet(const QByteArray& data);

    // Directories and files (session_directory_calls.cpp).
    Answer allocDirHandle(const QByteArray& data);
    Answer deallocDirHandle(const QByteArray& data);
    Answer volumeNumber(const QByteArray& data);
    Answer objectTrusteePaths(const QByteArray& data);
    Answer directoryTrustees(const QByteArray& data);
    Answer extendedInfo(const QByteArray& data);
    Answer longName(const QByteArray& data);

    // A volume's files: open, read, write, close, rename and delete
    // (session_file_calls.cpp); searches and entry information
    // (session_search_calls.cpp).
    Answer openCreate(const QByteArray& data);
    Answer closeFile(const QByteArray& data);
    Answer readFile(const QByteArray& data, std::uint32_t replyLimit);
    Answer writeFile(const QByteArray& data);
    Answer renameEntry(const QByteArray& data);
    Answer deleteEntry(const QByteArray& data);
    Answer initSearch(const QByteArray& data);
    Answer searchSet(const QByteArray& data, std::uint32_t replyLimit);
    // Where a handle path starts, by this session's directory handles and the
    // server's entry numbers.
    PathStart pathStart(const nw::SimState& state, const HandlePath& path);
    // The state a file call answers from, once its latency has passed and no
    // fault took it; null (and *refused the answer) otherwise.
    std::shared_ptr<const nw::SimState> beginFileCall(const char* call, Answer* refused);
    // The logged-in object's effective rights on an entry.
    std::uint16_t rightsOn(const nw::SimState& state, const QString& key) const;

    // Server-wide listings (session_listing_calls.cpp).
    Answer openFiles(const QByteArray& data);
    Answer objectConnections(const QByteArray& data, bool old);
    Answer activeConnections(const QByteArray& data);
    Answer fullPath(const QByteArray& data);

    // Directory services (session_ds_calls.cpp).
    Answer directoryServices(const QByteArray& data);
    // An entry's information, from the snapshot the request is answered from.
    QByteArray entryInfo(const nw::SimState& state, const ServerEntry& server,
                         const ReadEntryNameRequest& read);

    // The directory's login and the reading of its keys
    // (session_ds_login_calls.cpp): verbs 3, 53 and 57 to 60; nullopt for
    // another verb.
    std::optional<DsVerbAnswer> loginVerb(const DsRequest& request);
    DsVerbAnswer readAttributes(const QByteArray& parameters);
    DsVerbAnswer serverName(const QByteArray& parameters);
    DsVerbAnswer beginLogin(const QByteArray& parameters);
    DsVerbAnswer finishLogin(const QByteArray& parameters);
    DsVerbAnswer beginAuthentication(const QByteArray& parameters);
    DsVerbAnswer finishAuthentication(const QByteArray& parameters);
    // Signing for a login that has just succeeded: nullopt when none is
    // agreed; error set when the server requires it and it cannot start.
    std::optional<ncp::SignRoot> signingAfterLogin(const std::optional<QByteArray>& signKey,
                                                   bool* refused);

    // Requests served beside the table above (session_query_routes.cpp):
    // buffer negotiation, server information, bindery and volume queries and
    // the older 3.x forms. nullopt: not one of them, or one that needs a
    // login this session has not made.
    std::optional<Answer> routeQueries(const ncp::Request& request);

    // Buffer negotiation and the directory-services ping (session_negotiation_calls.cpp).
    Answer bigPacket(const QByteArray& data);
    Answer bufferSize(const QByteArray& data);
    Answer dsPing(const QByteArray& data);

    // The server's clock, description and volumes (session_server_calls.cpp).
    Answer dateTime();
    Answer description();
    Answer volumePurgeInfo(const QByteArray& data);
    Answer oldVolumeInfo(const QByteArray& data, bool byHandle);
    Answer volumeName(const QByteArray& data);

    // Bindery queries (session_bindery_calls.cpp).
    Answer scanObject(const QByteArray& data);
    Answer scanProperty(const QByteArray& data);
    Answer readProperty(const QByteArray& data);
    Answer accessLevel();

    // The 3.x forms with one-byte connection numbers (session_old_form_calls.cpp).
    Answer oldLoggedInfo(const QByteArray& data);
    Answer oldInetAddr(const QByteArray& data);
    Answer takeMessage();

    // The normalised VOL:PATH of a path given with a directory handle, or the
    // completion byte that refuses it (0x98 volume, 0x9B handle, 0x9C path).
    struct KeyOrError
    {
        QString key;
        int volume = -1;
        std::uint8_t error = 0;
    };
    KeyOrError resolveKey(std::uint8_t dirHandle, const QByteArray& path);

    QString serverName_;
    std::unique_ptr<nw::SimClient> client_;
    EntryTable& entries_;
    ConnectionNumbers& numbers_;
    nw::NWCONN_HANDLE handle_ = 0;
    nw::NWDSContextHandle context_ = 0;
    bool created_ = false;
    bool loggedIn_ = false;
    std::uint32_t loginObject_ = 0; // the object the session logged in as
    std::uint16_t connection_ = 0;
    bool workstation_ = false; // the session holds the workstation's number
    QString listedAs_;         // the user this session is listed as in the state
    std::optional<std::array<std::uint8_t, 8>> loginKey_;
    // Packet signing as NCP 97 settled it: agreed for this session, and
    // whether the server has already asked a client that did not offer.
    bool signingAgreed_ = false;
    bool askedToSign_ = false;
    std::optional<ncp::SignRoot> signRoot_;
    // A directory login under way: the object, begin login's seed, finish
    // login's logindata, begin authentication's ID.
    struct DsLogin
    {
        std::uint32_t object = 0;
        QByteArray seed;
        QByteArray loginData;
        QByteArray authId;
    };
    std::optional<DsLogin> dsLogin_;
    DsFragments dsFragments_;
    // What each directory handle of the client names, kept beside the
    // client's own table so that 23/244 can resolve paths relative to one.
    std::array<std::optional<QString>, 256> dirKeys_;
    std::unique_ptr<FileSession> files_; // open files and searches
};

} // namespace ncpd
