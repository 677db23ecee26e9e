// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd/server_entry.h"

#include "ncpd/bindery_view.h"

namespace ncpd {

ServerEntry serverEntry(const nw::SimState& state)
{
    ServerEntry e;
    e.id = serverObjectId(state);
    QString context;
    if (const nw::SimObject* o = state.objectByName(state.server);
        o && o->type == nw::kObjectFileServer)
        context = o->context;
    else if (const nw::SimObject* user = state.objectByName(state.workstation.user))
        context = user->context;
    e.name = context.isEmpty() ? state.server.toUpper()
                               : state.server.toUpper() + QLatin1Char('.') + context;
    return e;
}

} // namespace ncpd
