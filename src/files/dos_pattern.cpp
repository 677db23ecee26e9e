// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/dos_pattern.h"

namespace quorvex {

namespace {

bool isForbidden(QChar c)
{
    static const QString forbidden = QStringLiteral("\\/:<>|\"");
    return c.unicode() < 0x20 || forbidden.contains(c);
}

QChar fold(QChar c)
{
    return c.unicode() < 0x80 ? QChar(QChar::toLower(c.unicode())) : c.toCaseFolded();
}

} // namespace

DosPattern::DosPattern(const QString& pattern)
{
    valid_ = !pattern.isEmpty();
    for (QChar c : pattern) {
        if (isForbidden(c))
            valid_ = false;
        pattern_.append(fold(c));
    }
    if (!valid_)
        return;
    matchesAll_ = pattern_ == QLatin1String("*.*") || pattern_ == QLatin1String("*");
    if (pattern_.endsWith(QLatin1String(".*"))) {
        optionalTail_ = pattern_.chopped(2);
    } else if (pattern_.endsWith(QLatin1Char('.')) && pattern_.size() > 1) {
        pattern_.chop(1);
        noExtensionOnly_ = true;
    }
}

bool DosPattern::matches(QStringView name) const
{
    if (!valid_)
        return false;
    if (matchesAll_)
        return true;
    if (noExtensionOnly_ && name.contains(QLatin1Char('.')))
        return false;
    if (match(name, pattern_))
        return true;
    return !optionalTail_.isNull() && !name.contains(QLatin1Char('.')) &&
           match(name, optionalTail_);
}

// Iterative wildcard match with one backtrack point for the last '*': linear in
// practice, and never exponential.
bool DosPattern::match(QStringView name, QStringView pattern)
{
    qsizetype n = 0, p = 0, starP = -1, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == QLatin1Char('?') || pattern[p] == fold(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == QLatin1Char('*')) {
            starP = p++;
            starN = n;
        } else if (starP >= 0) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == QLatin1Char('*'))
        ++p;
    return p == pattern.size();
}

} // namespace quorvex
