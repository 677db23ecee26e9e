// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd/object_secrets.h"

#include "ncp/ds_fields.h"
#include "ncpauth/object_keys.h"
#include "ncpd/ds_names.h"

namespace ncpd {

std::optional<ncp::PasswordHash> objectPasswordHash(const nw::SimObject& object)
{
    if (object.passwordHash.size() == 16) {
        ncp::PasswordHash hash{};
        std::copy(object.passwordHash.begin(), object.passwordHash.end(), hash.begin());
        return hash;
    }
    return ncp::passwordHashOf(object.id, object.password.value_or(QString()));
}

bool namesEntry(const QByteArray& nameUtf16, const nw::SimObject& object)
{
    const auto name = ncp::fromUtf16z(nameUtf16);
    return name && typelessDsName(*name).compare(object.fullName(), Qt::CaseInsensitive) == 0;
}

} // namespace ncpd
