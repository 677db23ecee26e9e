// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A network drive's files on a server reached over NCP, with no mount: a
// directory is read with one 87/2 and as many 87/20 as its entries need (each
// answer holds as many as the reply takes), an entry with 87/6, a file with
// 87/1, 72 and 66. A file is replaced as the server allows it, never in place:
// the new bytes go to a new entry in the same directory (87/1, 73, 66), the
// file steps aside under another new name (87/4), the new entry takes its name
// (87/4), and only then is the old one deleted (87/8). A failure before the
// last rename leaves the file as it was and deletes what was made; for the
// moment between the two renames the file is there under its other name.
//
// Paths go in the long name space, or in the DOS one on a volume whose server
// has no long names (it answers 0xBF). Names travel as Latin-1.

#include "ncp/file_requests.h"
#include "ncp/ncp_client.h"
#include "netware/netware_client.h"
#include "platform/volume_files.h"

#include <QString>

#include <functional>

namespace ncp {

class NcpVolumeFiles : public quorvex::VolumeFiles
{
public:
    // rootPath: the drive's mapped root inside the volume ("PUBLIC\UTIL"), may be empty.
    NcpVolumeFiles(NcpClient& client, const QString& volume, const QString& rootPath);

    std::optional<QList<quorvex::FileEntry>> list(const QStringList& dir) override;
    std::optional<quorvex::FileEntry> info(const QStringList& path) override;
    std::optional<QStringList> resolve(const QStringList& path) override;
    std::optional<QByteArray> read(const QStringList& path, QString* error) override;
    bool replace(const QStringList& path, const QByteArray& bytes, QString* error) override;

private:
    using Outcome = NcpClient::Answer;
    RootPath pathOf(const QStringList& names) const;
    std::uint8_t nameSpace() const;
    // Sends the request for the name space in force; when the server refuses
    // long names on the volume, once more in the DOS name space.
    Outcome sendNamed(const std::function<RequestBody(std::uint8_t nameSpace)>& make);
    Outcome send(const RequestBody& body);
    std::optional<quorvex::FileEntry> entryAt(const QStringList& names);
    // A new name in the same directory that nothing holds yet.
    QStringList freshName(const QStringList& path, const char* extension);
    bool fail(QString* error, const QStringList& path, nw::NWCCODE code) const;
    bool writeNew(const QStringList& path, const QByteArray& bytes, nw::NWCCODE& code);
    nw::NWCCODE rename(const QStringList& from, const QStringList& to);
    nw::NWCCODE remove(const QStringList& path);

    NcpClient& client_;
    QByteArray volume_;
    QStringList root_;
};

// A date and time as the server packs them: the server's local wall-clock
// time, held as its fields (read its date() and time(), as the simulated
// server's state times are read); invalid for 0.
QDateTime fromPackedDateTime(std::uint16_t date, std::uint16_t time);

} // namespace ncp
