// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "netware/netware_client.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace quorvex {

class MessagePane;
class Prompts;

// A NetWare path "SERVER\VOLUME:DIR\SUB\NAME" cut where the server wants it:
// the server name, the directory (the volume name alone for a file in the
// volume's root) and the file name.
struct NetWarePathParts
{
    QString server;
    QString directory;
    QString fileName;
};

NetWarePathParts splitNetWarePath(const QString& netwarePath);

// What the extended information window shows of one file.
struct ExtendedFileInfo
{
    QString fileName;
    QString created;
    QString owner;
    QString lastAccess;
    QString lastArchived;
    QString lastArchivedBy;
    QString lastModified;
    QString lastModifiedBy;
    std::uint32_t attributes = 0;
};

// Reads the file's directory entry through a connection and a temporary
// directory handle of its own, both released before it returns. When the
// connection, the handle or the scan fails it beeps, writes the reason into the
// main window's message pane and answers nothing.
std::optional<ExtendedFileInfo> GetFileInfo(const QString& netwarePath, nw::NetWareClient& client,
                                            Prompts& prompts, MessagePane& pane);

} // namespace quorvex
