// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The address forms of a connection in the state file: "IP:a.b.c.d" (type 11),
// "IPX:NNNNNNNN:NNNNNNNNNNNN:NNNN" (type 2), "AFP:" in the IPX form (type 3), or
// an object { "type", "network", "node", "socket" } with hex fields.

#include "netware/sim_state.h"

#include <QJsonValue>

namespace nw {

// nullopt with *error set when the value is not an address.
std::optional<SimAddress> parseSimAddress(const QJsonValue& value, QString* error);
std::optional<SimAddress> parseSimAddressText(const QString& text, QString* error);
// The text form for types 2, 3 and 11, the object form otherwise; Null for an
// all-zero record of type 0.
QJsonValue simAddressToJson(const SimAddress& address);

} // namespace nw
