// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The bindery as clients scan and read it, made from the state: its objects
// (users, groups and any other type the state gives) and the file server's
// own object, each with the properties clients read. Values are what the
// state implies: IDENTIFICATION holds the full name, GROUP_MEMBERS and
// GROUPS_I'M_IN each side of the state's group members, SECURITY_EQUALS the
// groups and the equivalences the state gives, NET_ADDRESS the server's
// address.

#include "netware/sim_state.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

namespace ncpd {

// Property flags and the value segment size.
inline constexpr std::uint8_t kPropertyDynamic = 0x01;
inline constexpr std::uint8_t kPropertySet = 0x02;
inline constexpr int kSegmentSize = 128;

struct BinderyObject
{
    std::uint32_t id = 0;
    std::uint16_t type = nw::kObjectUser;
    QString name;
    std::uint8_t flags = 0;       // 1 dynamic
    std::uint8_t security = 0x31; // read: logged in, write: supervisor
};

struct BinderyProperty
{
    QByteArray name;
    std::uint8_t flags = 0;
    std::uint8_t security = 0x31;
    QByteArray value; // whole 128-byte segments; empty: no value
};

// The ID of the file server's own object: the state's object of its name and
// type, or a number above the state's objects' when it has none.
std::uint32_t serverObjectId(const nw::SimState& state);

class BinderyView
{
public:
    explicit BinderyView(const nw::SimState& state);

    // Every object, by ascending ID.
    const std::vector<BinderyObject>& objects() const { return objects_; }
    const BinderyObject* find(std::uint16_t type, const QString& name) const;
    std::vector<BinderyProperty> properties(const BinderyObject& object) const;
    // Objects the state lets act as a supervisor (SUPERVISOR, or an object
    // security-equal to it).
    bool isSupervisor(std::uint32_t id) const;

private:
    const nw::SimState& state_;
    std::vector<BinderyObject> objects_;
};

// NetWare wildcards: '*' any run of characters, '?' one; case ignored.
bool wildcardMatch(const QString& pattern, const QString& text);

} // namespace ncpd
