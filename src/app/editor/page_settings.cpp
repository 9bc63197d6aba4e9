// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/page_settings.h"

#include <QSettings>

namespace {
const QString group = QStringLiteral("Print/");
} // namespace

PageOptions savedPageOptions()
{
    const QSettings settings;
    PageOptions options;
    const int mode = settings.value(group + "Mode", int(options.mode)).toInt();
    if (mode >= PageOptions::ActualSize && mode <= PageOptions::Poster)
        options.mode = PageOptions::Mode(mode);
    options.pagesWide = std::max(1, settings.value(group + "PagesWide", options.pagesWide).toInt());
    options.percent = std::max(1, settings.value(group + "Percent", options.percent).toInt());
    options.background = settings.value(group + "Background", options.background).toBool();
    const int paper = settings.value(group + "Paper", int(options.paper)).toInt();
    if (paper >= int(Paper::A4) && paper <= int(Paper::Tabloid))
        options.paper = Paper(paper);
    const int orientation = settings.value(group + "Orientation", int(options.orientation)).toInt();
    if (orientation >= int(Orientation::Automatic) && orientation <= int(Orientation::Landscape))
        options.orientation = Orientation(orientation);
    return options;
}

void savePageOptions(const PageOptions& options)
{
    QSettings settings;
    settings.setValue(group + "Mode", int(options.mode));
    settings.setValue(group + "PagesWide", options.pagesWide);
    settings.setValue(group + "Percent", options.percent);
    settings.setValue(group + "Background", options.background);
    settings.setValue(group + "Paper", int(options.paper));
    settings.setValue(group + "Orientation", int(options.orientation));
}
