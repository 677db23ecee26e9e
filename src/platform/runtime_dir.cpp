// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime_dir.h"

#include <QDir>

namespace quorvex {

namespace {
const char* const kVariable = "XDG_RUNTIME_DIR";
}

PrivateRuntimeDir::PrivateRuntimeDir()
{
    if (!qEnvironmentVariableIsEmpty(kVariable))
        return;
    auto dir = std::make_unique<QTemporaryDir>(QDir::tempPath() +
                                               QStringLiteral("/quorvex-runtime-XXXXXX"));
    if (!dir->isValid())
        return; // Qt falls back to its own choice, and says so
    qputenv(kVariable, QFile::encodeName(dir->path()));
    dir_ = std::move(dir);
}

PrivateRuntimeDir::~PrivateRuntimeDir()
{
    if (dir_)
        qunsetenv(kVariable);
}

} // namespace quorvex
