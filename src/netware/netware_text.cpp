// SPDX-License-Identifier: GPL-3.0-or-later
#include "netware/netware_text.h"

#include <algorithm>

namespace nw {

QByteArray toClientText(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i; // one character beyond the BMP, one "?"
        bytes.append(c.unicode() <= 0xFF ? static_cast<char>(c.unicode()) : '?');
    }
    return bytes;
}

QString fromClientText(std::span<const char> buffer)
{
    const auto end = std::find(buffer.begin(), buffer.end(), '\0');
    return QString::fromLatin1(buffer.data(), qsizetype(end - buffer.begin()));
}

} // namespace nw
