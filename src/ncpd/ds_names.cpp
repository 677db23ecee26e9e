// SPDX-License-Identifier: GPL-3.0-or-later
#include "ncpd/ds_names.h"

#include <QStringList>

namespace ncpd {
namespace {

enum class Form
{
    PartialDot,
    Slashed,
    FullDot,
};

Form formOf(std::uint32_t style)
{
    switch (style >> 1 & 3) {
    case 0:
        return Form::PartialDot;
    case 1:
        return Form::Slashed;
    default:
        return Form::FullDot;
    }
}

// Components leaf first, each with its type when the style wants one.
QStringList typedComponents(const QString& name, bool leafIsContainer, std::uint32_t style)
{
    QStringList parts = name.split(QLatin1Char('.'), Qt::SkipEmptyParts);
    if (style & kDnTypeless)
        return parts;
    for (int i = 0; i < parts.size(); ++i) {
        const bool top = i == parts.size() - 1;
        const bool container = i > 0 || leafIsContainer;
        const char* type = !container ? "CN=" : top ? "O=" : "OU=";
        parts[i] = QLatin1String(type) + parts[i];
    }
    return parts;
}

} // namespace

QString formatDsName(const QString& name, bool leafIsContainer, const QString& tree,
                     std::uint32_t style)
{
    QStringList parts = typedComponents(name, leafIsContainer, style);
    const QString treePart = (style & kDnTypeless) ? tree : QLatin1String("T=") + tree;
    switch (formOf(style)) {
    case Form::PartialDot:
        return parts.join(QLatin1Char('.'));
    case Form::FullDot:
        return parts.join(QLatin1Char('.')) + QLatin1Char('.') + treePart + QLatin1Char('.');
    case Form::Slashed:
        break;
    }
    QString slashed = QLatin1Char('\\') + treePart;
    for (auto it = parts.crbegin(); it != parts.crend(); ++it)
        slashed += QLatin1Char('\\') + *it;
    return slashed;
}

QString formatDsRdn(const QString& name, bool leafIsContainer, std::uint32_t style)
{
    const QStringList parts = typedComponents(name, leafIsContainer, style);
    return parts.isEmpty() ? QString() : parts.first();
}

QString typelessDsName(const QString& name)
{
    QString text = name;
    const bool absolute = text.startsWith(QLatin1Char('.'));
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    QStringList parts;
    for (const QString& part : text.split(QLatin1Char('.'), Qt::SkipEmptyParts)) {
        if (part.startsWith(QLatin1String("T="), Qt::CaseInsensitive))
            continue; // the tree of the full-dot form
        const int eq = part.indexOf(QLatin1Char('='));
        parts.append(eq >= 0 ? part.mid(eq + 1) : part);
    }
    return (absolute ? QStringLiteral(".") : QString()) + parts.join(QLatin1Char('.'));
}

} // namespace ncpd
