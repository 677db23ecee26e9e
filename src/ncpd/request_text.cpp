// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd/request_text.h"

namespace ncpd {

QByteArray readText(ncp::WireReader& in)
{
    QByteArray text = in.lengthPrefixed();
    if (text.contains('\0'))
        in.fail();
    return text;
}

} // namespace ncpd
