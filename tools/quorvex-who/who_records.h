// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What quorvex-who finds: connections (who is logged in where) and the files
// they hold open.

#include <QString>

#include <cstdint>
#include <vector>

namespace quorvex::who {

struct ConnectionFacts
{
    QString server;
    std::uint16_t connection = 0;
    QString user;    // the full name with its context on a server with a directory
    QString login;   // ISO 8601 local time; empty when the server gave none
    QString address; // as the window writes it; empty when it could not be read
};

// One task of a connection that has a file open.
struct OpenFact
{
    QString path; // VOLUME:DIR\FILE
    std::uint16_t task = 0;
    std::uint8_t lockType = 0;
    std::uint8_t accessControl = 0;
    std::uint8_t lockFlag = 0;
};

// A FILE or --user answer: one row per connection and task holding a file.
struct HolderRow
{
    ConnectionFacts connection;
    OpenFact open;
};

// A --server answer: one entry per connection, with its files under --files.
struct ServerRow
{
    ConnectionFacts connection;
    std::vector<OpenFact> files;
};

} // namespace quorvex::who
