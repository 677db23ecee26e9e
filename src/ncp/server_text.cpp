// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncp/server_text.h"

namespace ncp {

std::optional<QByteArray> serverText(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() > 0xFF)
            return std::nullopt;
        out.append(char(c.unicode()));
    }
    return out;
}

QString binderyUpper(const QString& text)
{
    QString out = text;
    for (QChar& c : out) {
        const QChar upper = c.toUpper();
        if (upper.unicode() <= 0xFF)
            c = upper;
    }
    return out;
}

} // namespace ncp
