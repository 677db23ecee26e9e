// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

namespace quorvex {

// A file pattern as the DOS directory calls take it: '*' any run of characters,
// '?' exactly one, letters compared ignoring case. A pattern ending in ".*" also
// matches names without an extension ("*.*" matches every name), and one ending
// in a lone "." matches only names without one ("*.").
class DosPattern
{
public:
    explicit DosPattern(const QString& pattern);

    // False for patterns no file name can be listed with: empty, or holding a
    // character a DOS name can't hold (path separators, ':', '<', '>', '|', '"',
    // control characters).
    bool isValid() const { return valid_; }
    bool matches(QStringView name) const;

private:
    static bool match(QStringView name, QStringView pattern);

    QString pattern_;      // case-folded
    QString optionalTail_; // the pattern without its ".*", when it ends so
    bool valid_ = false;
    bool matchesAll_ = false;
    bool noExtensionOnly_ = false;
};

} // namespace quorvex
