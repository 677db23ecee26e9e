// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_icon.h"

#include "app/lazy_icon_engine.h"

#include <QGuiApplication>
#include <QSize>

#include <initializer_list>
#include <vector>

// The icons are resources of a static library; a resource nothing names is left
// out by the linker, so the initialiser is called explicitly (outside any
// namespace, as the macro requires).
static void initAppIconResource()
{
    Q_INIT_RESOURCE(app_icon);
}

namespace quorvex {

QIcon quorvexIcon()
{
    static const bool resourceReady = (initAppIconResource(), true);
    Q_UNUSED(resourceReady);

    // Built once and shared: the renditions any copy decodes serve every window.
    static const QIcon icon = [] {
        std::vector<LazyIconEngine::Rendition> renditions;
        for (const int size : {16, 24, 32, 48, 64, 128, 256})
            renditions.push_back({size, QStringLiteral(":/icons/quorvex-%1.png").arg(size)});
        return QIcon(new LazyIconEngine(std::move(renditions)));
    }();
    return icon;
}

QString desktopFileId()
{
    return QStringLiteral("io.github.quorvex.Quorvex");
}

void applyDesktopIdentity()
{
    QGuiApplication::setWindowIcon(quorvexIcon());
    QGuiApplication::setDesktopFileName(desktopFileId());
}

} // namespace quorvex
