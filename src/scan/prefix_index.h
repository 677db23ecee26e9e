#pragma once

#include <QString>
#include <QStringList>

namespace quorvex {

// Answers "does any line of this list begin with the text, case ignored?" in
// logarithmic time. The lines are case-folded and sorted once; every line that
// begins with a text sorts at or after the text and before anything that does
// not, so the first line not less than the text is the only one to look at.
class PrefixIndex
{
public:
    explicit PrefixIndex(const QStringList& lines);

    bool anyLineBeginsWith(const QString& text) const;

private:
    QStringList folded_;
};

} // namespace quorvex
