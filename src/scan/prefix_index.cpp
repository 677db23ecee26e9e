// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/prefix_index.h"

#include <algorithm>

namespace quorvex {

namespace {

bool isOwnKey(const QString& text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 0x80 || (u >= u'a' && u <= u'z'))
            return false;
    }
    return true;
}

} // namespace

QString PrefixIndex::key(const QString& text)
{
    if (isOwnKey(text))
        return text;
    // Simple case folding per code point, then ASCII letters raised back to upper
    // case. No folded value is an upper-case ASCII letter, so raising them keeps
    // distinct folds distinct, and a folded text of plain capitals is unchanged.
    QString out;
    out.reserve(text.size());
    for (const char32_t point : text.toUcs4()) {
        char32_t folded = QChar::toCaseFolded(point);
        if (folded >= U'a' && folded <= U'z')
            folded -= U'a' - U'A';
        if (QChar::requiresSurrogates(folded)) {
            out.append(QChar(QChar::highSurrogate(folded)));
            out.append(QChar(QChar::lowSurrogate(folded)));
        } else {
            out.append(QChar(static_cast<char16_t>(folded)));
        }
    }
    return out;
}

QStringList PrefixIndex::keys(const QStringList& lines)
{
    QStringList result;
    result.reserve(lines.size());
    for (const QString& line : lines)
        result.append(key(line));
    return result;
}

PrefixIndex::PrefixIndex(const QStringList& lines) : PrefixIndex(fromKeys(keys(lines))) {}

PrefixIndex PrefixIndex::fromKeys(QStringList keys)
{
    PrefixIndex index;
    index.sorted_ = std::move(keys);
    std::sort(index.sorted_.begin(), index.sorted_.end());
    return index;
}

bool PrefixIndex::anyKeyBeginsWith(const QString& textKey) const
{
    const auto it = std::lower_bound(sorted_.cbegin(), sorted_.cend(), textKey);
    return it != sorted_.cend() && it->startsWith(textKey);
}

} // namespace quorvex
