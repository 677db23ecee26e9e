// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Text as a server receives it. Names, paths, messages and passwords travel
// in one single-byte encoding, Latin-1, whatever the host's locale; a bindery
// name or password is upper-cased before it is sent, as the bindery keeps them.

#include <QByteArray>
#include <QString>

#include <optional>

namespace ncp {

// The Latin-1 bytes of text; nullopt when a character has no Latin-1 byte
// (sending a stand-in would make another name, or another password).
std::optional<QByteArray> serverText(const QString& text);

// Capital letters where the capital is itself a Latin-1 character ("ß" and
// "ÿ" stay as they are: their capitals are not).
QString binderyUpper(const QString& text);

} // namespace ncp
