#include "app/app_icon.h"

#include <QGuiApplication>
#include <QSize>

#include <initializer_list>

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

    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/quorvex-%1.png").arg(size), QSize(size, size));
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
