// SPDX-License-Identifier: GPL-3.0-or-later
#include "netware/dos_name.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace nw {
namespace {

bool validDosChar(QChar c)
{
    if (c.unicode() > 127)
        return false; // kept out so that the DOS name stays 8-bit clean
    if (c.isLetterOrNumber())
        return true;
    return QStringLiteral("!#$%&'()-@^_`{}~").contains(c);
}

// Characters kept in a generated name: invalid ones become "_", blanks and
// dots vanish.
QString squeeze(const QString& text)
{
    QString out;
    for (QChar c : text) {
        if (c == QLatin1Char(' ') || c == QLatin1Char('.'))
            continue;
        out += validDosChar(c) ? c.toUpper() : QLatin1Char('_');
    }
    return out;
}

} // namespace

bool fitsDos83(const QString& name)
{
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    const QString base = dot < 0 ? name : name.left(dot);
    const QString ext = dot < 0 ? QString() : name.mid(dot + 1);
    if (base.isEmpty() || base.size() > 8 || ext.size() > 3 || (dot >= 0 && ext.isEmpty()))
        return false;
    for (QChar c : base + ext)
        if (!validDosChar(c))
            return false;
    return true;
}

QStringList assignDosNames(const QStringList& longNames)
{
    QStringList result;
    QSet<QString> taken;
    QHash<QString, int> nextNumber;
    for (const QString& name : longNames) {
        result.append(fitsDos83(name) ? name.toUpper() : QString());
        if (!result.last().isEmpty())
            taken.insert(result.last());
    }
    for (int i = 0; i < longNames.size(); ++i) {
        if (!result[i].isEmpty())
            continue;
        const QString& name = longNames[i];
        const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
        const bool hasExt = dot > 0;
        QString base = squeeze(hasExt ? name.left(dot) : name);
        const QString ext = hasExt ? squeeze(name.mid(dot + 1)).left(3) : QString();
        if (base.isEmpty())
            base = QStringLiteral("_");
        // The candidates of one base and extension only ever get taken, so the
        // search for the next name of that stem goes on where the last ended
        // (a directory of a thousand similar names would otherwise try a
        // million candidates).
        int& next = nextNumber[base.left(8) + QLatin1Char('.') + ext];
        for (int n = std::max(next, 1);; ++n) {
            const QString tail = QLatin1Char('~') + QString::number(n);
            QString candidate = base.left(8 - tail.size()) + tail;
            if (!ext.isEmpty())
                candidate += QLatin1Char('.') + ext;
            if (!taken.contains(candidate)) {
                taken.insert(candidate);
                result[i] = candidate;
                next = n + 1;
                break;
            }
        }
    }
    return result;
}

} // namespace nw
