// SPDX-License-Identifier: GPL-3.0-or-later
#include "who_query.h"

#include "who_file_argument.h"
#include "who_setup.h"

#include "ncp/client_router.h"
#include "netware/netware_text.h"
#include "netware/sim_path.h"
#include "scan/result_text.h"
#include "scan/scan_messages.h"

#include <QDate>
#include <QTime>

#include <array>

namespace quorvex::who {

namespace {

// The 7 login-time bytes (year - 1900, month, day, hour, minute, second,
// weekday) as ISO 8601 local time; empty when they are no time.
QString isoLoginTime(std::span<const std::uint8_t, 7> t)
{
    const QDate date(1900 + t[0], t[1], t[2]);
    const QTime time(t[3], t[4], t[5]);
    if (!date.isValid() || !time.isValid())
        return QString();
    // Written by hand into one text: a QDateTime would ask the time zone
    // for nothing, and the library's own forms go through printf.
    QString text(19, Qt::Uninitialized);
    QChar* out = text.data();
    const auto digits = [&out](int value, int count) {
        for (int i = count - 1; i >= 0; --i, value /= 10)
            out[i] = QChar(u'0' + value % 10);
        out += count;
    };
    const auto mark = [&out](char16_t c) { *out++ = QChar(c); };
    digits(date.year(), 4);
    mark(u'-');
    digits(date.month(), 2);
    mark(u'-');
    digits(date.day(), 2);
    mark(u'T');
    digits(time.hour(), 2);
    mark(u':');
    digits(time.minute(), 2);
    mark(u':');
    digits(time.second(), 2);
    return text;
}

constexpr std::uint16_t kObjectTypeUser = 1;
constexpr std::size_t kAllConnections = 0xFFFF;

} // namespace

WhoQuery::WhoQuery(WhoSetup& setup, QTextStream& errors)
    : setup_(setup), client_(setup.client()), errors_(errors)
{
}

WhoQuery::~WhoQuery()
{
    if (context_ != 0)
        client_.NWDSFreeContext(context_);
}

void WhoQuery::fail(const QString& subject, const QString& why)
{
    errors_ << "quorvex-who: " << subject << ": " << why << Qt::endl;
    failed_ = true;
}

QString WhoQuery::unreachableText(const QString& server)
{
    return QStringLiteral("server unreachable: ") + setup_.unreachableReason(server);
}

QString WhoQuery::codeText(const Server& server, nw::NWCCODE code)
{
    if (code == nw::kInvalidConnection)
        return unreachableText(server.name);
    if (code == nw::kNoConsoleRights)
        return QStringLiteral("refused: no console operator rights (0x89C6)");
    QString text = scanErrorText(code);
    if (text.startsWith(QLatin1String("Error! ")))
        text.remove(0, 7);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text + QStringLiteral(" (0x") + QString::number(code, 16).toUpper() + QLatin1Char(')');
}

WhoQuery::Server& WhoQuery::adopt(const QString& name, nw::NWCONN_HANDLE conn)
{
    Server& s = servers_[name.toUpper()];
    if (s.name.isEmpty())
        s.name = setup_.serverNamed(name).isEmpty() ? name : setup_.serverNamed(name);
    if (s.conn == 0)
        s.conn = conn;
    return s;
}

WhoQuery::Server* WhoQuery::open(const QString& name)
{
    if (const auto it = servers_.find(name.toUpper()); it != servers_.end() && it->second.conn)
        return &it->second;
    nw::NWCONN_HANDLE conn = 0;
    const QByteArray wire = nw::toWire(name);
    const nw::NWCCODE code = client_.NWCCOpenConnByName(0, wire.constData(), 2, 1, 0x8000, conn);
    if (code != nw::kSuccess) {
        fail(name, unreachableText(name));
        return nullptr;
    }
    return &adopt(name, conn);
}

void WhoQuery::checkVersion(Server& server)
{
    if (server.checked)
        return;
    server.checked = true;
    nw::VERSION_INFO version;
    // Versions above 3 have a directory, whose names carry their context.
    server.directory = client_.NWGetFileServerVersionInfo(server.conn, version) == nw::kSuccess &&
                       version.bytes[48] > 3;
    if (server.directory && context_ == 0 &&
        client_.NWDSCreateContextHandle(context_) == nw::kSuccess)
        client_.NWDSSetContext(context_, nw::DCK_NAME_CONTEXT, "[Root]");
}

QString WhoQuery::fullName(Server& server, std::uint32_t objectId)
{
    checkVersion(server);
    if (!server.directory || objectId == 0 || context_ == 0)
        return QString();
    if (const auto it = server.fullNames.constFind(objectId); it != server.fullNames.constEnd())
        return *it;
    std::array<char, 257> name{};
    const QString full =
        client_.NWDSMapIDToName(context_, server.conn, objectId, name) == nw::kSuccess
            ? nw::fromClientText(name)
            : QString();
    server.fullNames.insert(objectId, full);
    return full;
}

const std::optional<ConnectionFacts>& WhoQuery::describe(Server& server, std::uint16_t connection)
{
    if (server.factAt.empty())
        server.factAt.assign(0x10000, -1);
    std::int32_t& at = server.factAt[connection];
    if (at >= 0)
        return server.facts[std::size_t(at)];
    at = std::int32_t(server.facts.size());
    std::optional<ConnectionFacts>& facts = server.facts.emplace_back();
    std::array<char, 255> name{};
    std::uint16_t type = 0;
    std::uint32_t id = 0;
    std::array<std::uint8_t, 7> login{};
    const nw::NWCCODE code =
        client_.NWGetConnectionInformation(server.conn, connection, name, type, id, login);
    if (code == nw::kInvalidConnection) {
        // Said once: every further call to the server would say it again.
        if (!server.unreachable)
            fail(server.name, codeText(server, code));
        server.unreachable = true;
        return facts;
    }
    if (code != nw::kSuccess)
        return facts; // logged out meanwhile, as the window passes over it
    ConnectionFacts f;
    f.server = server.name;
    f.connection = connection;
    f.user = fullName(server, id);
    if (f.user.isEmpty())
        f.user = nw::fromClientText(name).toUpper();
    f.login = isoLoginTime(login);
    nw::NWINET_ADDR address;
    if (client_.NWGetInetAddr(server.conn, connection, address) == nw::kSuccess)
        f.address = addressText(address);
    facts = std::move(f);
    return facts;
}

void WhoQuery::scanFile(const QString& argument, std::vector<HolderRow>& rows)
{
    const FileArgument file = resolveFileArgument(argument, setup_);
    if (!file.error.isEmpty()) {
        fail(argument, file.error);
        return;
    }
    std::array<char, 48> serverName{};
    std::array<char, 48> volume{};
    std::array<char, 256> dirPath{};
    nw::NWCONN_HANDLE conn = 0;
    const QByteArray wire = nw::toWire(file.clientPath);
    const nw::NWCCODE parsed =
        client_.NWParsePath(wire.constData(), serverName, conn, volume, dirPath);
    if (parsed == nw::kInvalidConnection && !file.server.isEmpty()) {
        fail(argument, unreachableText(file.server));
        return;
    }
    if (parsed != nw::kSuccess) {
        fail(argument, QStringLiteral("not a file on a configured server's volume"));
        return;
    }
    Server& server = adopt(nw::fromClientText(serverName), conn);
    const QString volumePath =
        nw::fromClientText(volume) + QLatin1Char(':') + nw::fromClientText(dirPath);
    const QByteArray scanPath = nw::toWire(volumePath);
    std::int16_t iteration = 0;
    nw::CONN_USING_FILE_SUMMARY summary;
    nw::CONNS_USING_FILE batch;
    for (;;) {
        batch.connCount = 0;
        const nw::NWCCODE code = client_.NWScanConnectionsUsingFile(
            server.conn, 0, scanPath.constData(), iteration, summary, batch);
        if (code == nw::kNoMoreEntries)
            return;
        if (code == nw::kInvalidPath) {
            fail(argument, QStringLiteral("no such file"));
            return;
        }
        if (code != nw::kSuccess) {
            fail(argument, codeText(server, code));
            return;
        }
        const int count = std::min<int>(batch.connCount, nw::kMaxConnsPerBatch);
        for (int i = 0; i < count; ++i) {
            const nw::CONN_USING_FILE& e = batch.connInfo[i];
            const auto& facts = describe(server, e.connNumber);
            if (facts)
                rows.push_back(HolderRow{*facts, OpenFact{volumePath, e.taskNumber, e.lockType,
                                                          e.accessControl, e.lockFlag}});
        }
    }
}

std::vector<HolderRow> WhoQuery::holdersOf(const QStringList& files)
{
    std::vector<HolderRow> rows;
    for (const QString& file : files)
        scanFile(file, rows);
    return rows;
}

QString WhoQuery::directoryPath(Server& server, std::uint8_t volume, std::uint32_t entry)
{
    const quint64 key = quint64(volume) << 32 | entry;
    if (const auto it = server.directories.constFind(key); it != server.directories.constEnd())
        return *it;
    std::array<char, 256> path{};
    std::uint8_t length = 0;
    const QString found =
        client_.NWGetPathFromDirectoryBase(server.conn, volume, entry, nw::NW_NS_LONG, length,
                                           path) == nw::kSuccess
            ? nw::fromClientText(path)
            : QString();
    server.directories.insert(key, found);
    return found;
}

bool WhoQuery::openFiles(Server& server, std::uint16_t connection, std::vector<OpenFact>& files)
{
    std::int16_t iteration = 0;
    nw::OPEN_FILE_CONN_CTRL control;
    nw::OPEN_FILE_CONN file;
    nw::NWCCODE code = nw::kSuccess;
    while ((code = client_.NWScanOpenFilesByConn2(server.conn, connection, iteration, control,
                                                  file)) == nw::kSuccess) {
        const QString name = nw::fromClientText(file.fileName);
        QString directory = directoryPath(server, file.volNumber, file.parent);
        // Without the directory the server's name of the file is all there is.
        QString path = name;
        if (!directory.isEmpty())
            path = directory.endsWith(QLatin1Char(':')) ? directory + name
                                                        : directory + QLatin1Char('\\') + name;
        files.push_back(
            OpenFact{path, file.taskNumber, file.lockType, file.accessControl, file.lockFlag});
    }
    // A connection that logged out since it was listed has no files left.
    if (code == nw::kNoMoreEntries || code == nw::kLockError || code == nw::kBadStationNumber)
        return true;
    fail(server.name, QStringLiteral("connection %1: ").arg(connection) + codeText(server, code));
    return false;
}

std::vector<HolderRow> WhoQuery::filesOfUser(const QString& user, const QString& serverName,
                                             int* connections)
{
    std::vector<HolderRow> rows;
    *connections = 0;
    // A full name (JSMITH.SALES.ACME) is looked up by its leading name and
    // kept only where the connection's full name is the one asked for.
    QString wanted = user;
    if (wanted.startsWith(QLatin1Char('.')))
        wanted.remove(0, 1);
    const bool fullName = wanted.contains(QLatin1Char('.'));
    const QByteArray lookup = nw::toWire(wanted.section(QLatin1Char('.'), 0, 0).toUpper());
    QStringList names = setup_.servers();
    if (!serverName.isEmpty()) {
        if (setup_.serverNamed(serverName).isEmpty()) {
            fail(serverName, QStringLiteral("server is not in the settings"));
            return rows;
        }
        names = {setup_.serverNamed(serverName)};
    }
    std::vector<std::uint16_t> list(kAllConnections);
    for (const QString& name : names) {
        Server* server = open(name);
        if (!server)
            continue;
        std::uint16_t count = 0;
        const nw::NWCCODE code = client_.NWGetObjectConnectionNumbers(
            server->conn, lookup.constData(), kObjectTypeUser, count, list);
        if (code == nw::kNoSuchObject)
            continue; // no such user on this server
        if (code != nw::kSuccess) {
            fail(server->name, codeText(*server, code));
            continue;
        }
        for (std::uint16_t i = 0; i < count; ++i) {
            const auto& facts = describe(*server, list[i]);
            if (!facts || (fullName && facts->user.compare(wanted, Qt::CaseInsensitive) != 0))
                continue;
            ++*connections;
            std::vector<OpenFact> files;
            if (!openFiles(*server, list[i], files))
                break;
            for (OpenFact& f : files)
                rows.push_back(HolderRow{*facts, std::move(f)});
        }
    }
    return rows;
}

std::vector<ServerRow> WhoQuery::connectionsOf(const QString& serverName, bool withFiles)
{
    std::vector<ServerRow> rows;
    const QString name = setup_.serverNamed(serverName);
    if (name.isEmpty()) {
        fail(serverName, QStringLiteral("server is not in the settings"));
        return rows;
    }
    Server* server = open(name);
    if (!server)
        return rows;
    for (std::uint32_t first = 0; first <= 0xFFFF; first += nw::kConnsPerActiveList) {
        nw::NWFSE_ACTIVE_CONN_LIST active;
        const nw::NWCCODE code =
            client_.NWGetActiveConnListByType(server->conn, first, nw::NCP_CONNECTION_TYPE, active);
        if (code != nw::kSuccess) {
            fail(server->name, codeText(*server, code));
            return rows;
        }
        for (std::uint32_t bit = 0; bit < std::uint32_t(nw::kConnsPerActiveList); ++bit) {
            if (!(active.activeConnBitList[bit / 8] & (1u << (bit % 8))))
                continue;
            const std::uint32_t number = first + bit;
            if (number == 0 || number > 0xFFFF)
                continue;
            const auto& facts = describe(*server, std::uint16_t(number));
            if (!facts)
                continue;
            ServerRow row{*facts, {}};
            if (withFiles && !openFiles(*server, std::uint16_t(number), row.files))
                return rows;
            rows.push_back(std::move(row));
        }
    }
    return rows;
}

} // namespace quorvex::who
