// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What one request carries before the session adds its headers: function,
// subfunction (ignored for functions without one) and the data after it.

#include <QByteArray>

#include <cstdint>

namespace ncp {

struct RequestBody
{
    std::uint8_t function = 0;
    std::uint8_t subfunction = 0;
    QByteArray data;
};

} // namespace ncp
