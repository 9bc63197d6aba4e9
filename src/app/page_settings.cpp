// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/page_settings.h"

#include <QSettings>

namespace {
const QString group = QStringLiteral("Print/");
} // namespace

PageOptions savedPageOptions()
{
    const QSettings settings;
    PageOptions options;
    const int mode = settings.value(group + "Mode", int(options.mode)).toInt();
    if (mode >= PageOptions::ActualSize && mode <= PageOptions::Percent)
        options.mode = PageOptions::Mode(mode);
    options.pagesWide = std::max(1, settings.value(group + "PagesWide", options.pagesWide).toInt());
    options.percent = std::max(1, settings.value(group + "Percent", options.percent).toInt());
    options.background = settings.value(group + "Background", options.background).toBool();
    return options;
}

void savePageOptions(const PageOptions& options)
{
    QSettings settings;
    settings.setValue(group + "Mode", int(options.mode));
    settings.setValue(group + "PagesWide", options.pagesWide);
    settings.setValue(group + "Percent", options.percent);
    settings.setValue(group + "Background", options.background);
}
