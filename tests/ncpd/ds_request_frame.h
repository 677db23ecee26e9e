// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The data of a 104/2 request after its subfunction: a whole first fragment
// (fragment handle 0xFFFFFFFF, 4096-byte limits, no flags) carrying one verb.

#include "ncp/wire_writer.h"

#include <QByteArray>

#include <cstdint>

inline QByteArray dsRequestFrame(std::uint32_t verb, const QByteArray& parameters)
{
    return ncp::WireWriter()
        .u32le(0xFFFFFFFF)
        .u32le(4096)
        .u32le(std::uint32_t(12 + parameters.size()))
        .u32le(0)
        .u32le(verb)
        .u32le(4096)
        .bytes(parameters)
        .take();
}
