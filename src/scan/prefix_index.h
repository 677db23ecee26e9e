// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace quorvex {

// Answers "does any line of this list begin with the text, case ignored?" in
// logarithmic time. The lines are reduced to case-free keys and sorted once;
// every key that begins with a given key sorts at or after it and before
// anything that does not, so the first key not less than the text's key is the
// only one to look at.
class PrefixIndex
{
public:
    PrefixIndex() = default;
    explicit PrefixIndex(const QStringList& lines);
    // From lines already turned into keys.
    static PrefixIndex fromKeys(QStringList keys);

    bool anyLineBeginsWith(const QString& text) const { return anyKeyBeginsWith(key(text)); }
    bool anyKeyBeginsWith(const QString& textKey) const;

    // Two texts are equal ignoring case exactly when their keys are equal, and a
    // text begins with another exactly when its key begins with the other's.
    // Upper-case ASCII names, the usual login names, are their own keys, so most
    // lines cost no copy.
    static QString key(const QString& text);
    static QStringList keys(const QStringList& lines);

private:
    QStringList sorted_;
};

} // namespace quorvex
