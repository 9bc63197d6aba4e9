// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "render/page_layout.h"

#include <QString>

#include <optional>

class QWidget;

// What File > Export image asks: the file (its type chosen by the filter, the
// extension added when missing) and, for a PDF, how it is laid out on pages.
struct ImageExportChoice {
    QString path;
    std::optional<PageOptions> pdfPages;
};

// The save dialog, then for a PDF the page layout; nullopt when cancelled.
std::optional<ImageExportChoice> askImageExport(QWidget* parent, const QString& initialPath,
                                                const PageOptions& pdfPages);
