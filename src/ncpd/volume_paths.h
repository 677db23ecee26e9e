// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How the file requests find an entry in a volume's folder, and why nothing
// they name can lie outside it. A path arrives as names, each matched in the
// directory before it ignoring case, in the name space the request names
// (the long names, or the DOS 8.3 names the server gives every entry). It is
// refused with 0x9C (invalid path), and nothing is touched, when a name is
// empty, "." or "..", holds a separator, a colon, a control character or a
// byte the name space refuses, or when the entry it reaches is not inside the
// volume's folder once links are followed.

#include "netware/sim_state.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace ncpd {

inline constexpr std::uint8_t kNameSpaceDos = 0;
inline constexpr std::uint8_t kNameSpaceLong = 4;

// Completion bytes of the file requests.
inline constexpr std::uint8_t kPathNoVolume = 0x98;
inline constexpr std::uint8_t kPathRefused = 0x9C;
inline constexpr std::uint8_t kPathNoNameSpace = 0xBF;
inline constexpr std::uint8_t kPathNoEntry = 0xFF;

// A handle path as requests carry it: a volume or directory handle, a
// directory base, the flag that says which (0 handle, 1 base, 0xFF none: the
// first name is then the volume's) and the names.
struct HandlePath
{
    std::uint8_t volume = 0;
    std::uint32_t base = 0;
    std::uint8_t flag = 0xFF;
    std::vector<QByteArray> names;
};

// Where a path starts: a volume and the names (long names, as the host
// spells them or ignoring case) of the directory it starts from.
struct PathStart
{
    std::uint8_t error = 0;
    int volume = -1;
    QStringList names;
    std::vector<QByteArray> rest; // the names still to match
};
// keyOfHandle and keyOfBase give the normalised VOL:PATH a directory handle
// or a directory base stands for.
PathStart startOf(const nw::SimState& state, const HandlePath& path,
                  const std::function<std::optional<QString>(std::uint8_t)>& keyOfHandle,
                  const std::function<std::optional<QString>(std::uint32_t)>& keyOfBase);

struct VolumeEntry
{
    int volume = -1;
    QString host;      // the entry on this machine (or where a new one goes)
    QStringList names; // below the volume's folder, as the host spells them
    QString key;       // normalised VOL:PATH
    bool exists = false;
    bool directory = false;
    QString longName; // the last name; the volume's for its root
    QString dosName;
};
struct Lookup
{
    std::uint8_t error = 0;
    VolumeEntry entry;
};

// Matches every name. A last name that matches nothing is 0xFF, or, with
// lastMayBeNew, an entry to be made (exists false), when the name is one the
// name space allows. A name that is not a directory before the last is 0x9C.
Lookup lookUp(const nw::SimState& state, std::uint8_t nameSpace, const PathStart& start,
              bool lastMayBeNew);

// A name a new entry may take in the name space.
bool validName(const QString& name, std::uint8_t nameSpace);

// The host path lies in the volume's folder once every link is followed.
bool insideVolume(const nw::SimVolume& volume, const QString& host);

// The volume's name space is served (the long one only where the volume has it).
bool hasNameSpace(const nw::SimVolume& volume, std::uint8_t nameSpace);

} // namespace ncpd
