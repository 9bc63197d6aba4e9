// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/resource_path.h"

#include "app/command/install_paths.h"

#include <QDir>
#include <QFileInfo>

QString findResource(const QString& name)
{
    const QStringList places = {
        QDir::currentPath(),
        QString::fromStdString(installedDataFolder()),
        QStringLiteral(STIRPA_BUILT_HELP),
        QStringLiteral(STIRPA_SOURCE_RESOURCES),
    };
    for (const QString& place : places) {
        const QString candidate = QDir(place).filePath(name);
        if (QFileInfo::exists(candidate))
            return QDir::cleanPath(candidate);
    }
    return name;
}
