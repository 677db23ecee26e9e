// SPDX-License-Identifier: GPL-3.0-or-later
// The requests served beside the original dispatch table: which function and
// subfunction reach which handler, and which of them a connection may send
// before it logs in.

#include "ncpd/session_dispatcher.h"

namespace ncpd {
namespace {

constexpr std::uint8_t kFnOldVolumeInfo = 0x12;
constexpr std::uint8_t kFnDateTime = 0x14;
constexpr std::uint8_t kFnMessage = 0x15;
constexpr std::uint8_t kFnDirectory = 0x16;
constexpr std::uint8_t kFnBindery = 0x17;
constexpr std::uint8_t kFnNegotiateBuffer = 0x21;
constexpr std::uint8_t kFnBigPacket = 0x61;
constexpr std::uint8_t kFnDirectoryServices = 0x68;

} // namespace

std::optional<SessionDispatcher::Answer> SessionDispatcher::routeQueries(const ncp::Request& r)
{
    const QByteArray& d = r.data;
    // Before and after login.
    switch (r.function) {
    case kFnBigPacket:
        return bigPacket(d);
    case kFnNegotiateBuffer:
        return bufferSize(d);
    case kFnDirectoryServices:
        if (r.subfunction == 0x01)
            return dsPing(d);
        break;
    default:
        break;
    }
    if (!loggedIn_)
        return std::nullopt;
    // Requests without data refuse any that comes with them.
    const auto bare = [&](Answer (SessionDispatcher::*handler)()) {
        return d.isEmpty() ? (this->*handler)() : malformed();
    };
    switch (r.function) {
    case kFnDateTime:
        return bare(&SessionDispatcher::dateTime);
    case kFnOldVolumeInfo:
        return oldVolumeInfo(d, false);
    case kFnMessage:
        switch (r.subfunction) {
        case 0x01:
        case 0x0B:
            return bare(&SessionDispatcher::takeMessage);
        }
        break;
    case kFnDirectory:
        switch (r.subfunction) {
        case 0x06:
            return volumeName(d);
        case 0x15:
            return oldVolumeInfo(d, true);
        case 0x2C:
            return volumePurgeInfo(d);
        }
        break;
    case kFnBindery:
        switch (r.subfunction) {
        case 0x13:
            return oldInetAddr(d);
        case 0x16:
            return oldLoggedInfo(d);
        case 0x37:
            return scanObject(d);
        case 0x3C:
            return scanProperty(d);
        case 0x3D:
            return readProperty(d);
        case 0x46:
            return bare(&SessionDispatcher::accessLevel);
        case 0xC9:
            return bare(&SessionDispatcher::description);
        }
        break;
    }
    return std::nullopt;
}

} // namespace ncpd
