// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd/connection_numbers.h"

namespace ncpd {

std::optional<ConnectionNumbers::Claim> ConnectionNumbers::claim(const nw::SimState& state)
{
    const std::lock_guard lock(mutex_);
    const std::uint16_t workstation = state.workstation.connection;
    if (held_.insert(workstation).second)
        return Claim{workstation, true};
    for (std::uint32_t n = 1; n <= 0xFFFF; ++n) {
        const auto number = std::uint16_t(n);
        if (number == workstation || held_.contains(number) || state.connection(number))
            continue;
        held_.insert(number);
        return Claim{number, false};
    }
    return std::nullopt;
}

void ConnectionNumbers::release(std::uint16_t number)
{
    const std::lock_guard lock(mutex_);
    held_.erase(number);
}

} // namespace ncpd
