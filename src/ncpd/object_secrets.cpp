// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd/object_secrets.h"

#include "ncp/bindery_password.h"
#include "ncp/ds_fields.h"
#include "ncp/server_text.h"
#include "ncpd/ds_names.h"

namespace ncpd {

std::optional<ncp::PasswordHash> objectPasswordHash(const nw::SimObject& object)
{
    if (object.passwordHash.size() == 16) {
        ncp::PasswordHash hash{};
        std::copy(object.passwordHash.begin(), object.passwordHash.end(), hash.begin());
        return hash;
    }
    auto bytes = ncp::serverText(ncp::binderyUpper(object.password.value_or(QString())));
    if (!bytes)
        return std::nullopt;
    const ncp::PasswordHash hash = ncp::shufflePassword(object.id, *bytes);
    bytes->fill('\0');
    return hash;
}

bool namesEntry(const QByteArray& nameUtf16, const nw::SimObject& object)
{
    const auto name = ncp::fromUtf16z(nameUtf16);
    return name && typelessDsName(*name).compare(object.fullName(), Qt::CaseInsensitive) == 0;
}

} // namespace ncpd
