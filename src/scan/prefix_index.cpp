#include "scan/prefix_index.h"

#include <algorithm>

namespace quorvex {

PrefixIndex::PrefixIndex(const QStringList& lines)
{
    folded_.reserve(lines.size());
    for (const QString& line : lines)
        folded_.append(line.toCaseFolded());
    std::sort(folded_.begin(), folded_.end());
}

bool PrefixIndex::anyLineBeginsWith(const QString& text) const
{
    const QString key = text.toCaseFolded();
    const auto it = std::lower_bound(folded_.cbegin(), folded_.cend(), key);
    return it != folded_.cend() && it->startsWith(key);
}

} // namespace quorvex
