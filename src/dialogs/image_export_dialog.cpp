// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/image_export_dialog.h"

#include "dialogs/file_dialog_setup.h"
#include "dialogs/page_options_widget.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QVBoxLayout>

namespace {

bool isImageSuffix(const QString& suffix)
{
    return suffix == QLatin1String("png") || suffix == QLatin1String("svg") ||
           suffix == QLatin1String("pdf");
}

// The suffix a filter such as "SVG drawing (*.svg)" stands for; PNG for "All files".
QString filterSuffix(const QString& filter)
{
    const QString suffix = filter.section(QStringLiteral("*."), 1).section(QLatin1Char(')'), 0, 0);
    return isImageSuffix(suffix) ? suffix : QStringLiteral("png");
}

std::optional<PageOptions> askPdfPages(QWidget* parent, const PageOptions& pages)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QObject::tr("PDF pages"));
    auto* options = new PageOptionsWidget(pages);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(options);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return options->options();
}

} // namespace

std::optional<ImageExportChoice> askImageExport(QWidget* parent, const QString& initialPath,
                                                const PageOptions& pdfPages)
{
    QFileDialog dialog(parent, QObject::tr("Export image"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    prepareFileDialog(dialog, FileKind::Image, initialPath);
    ImageExportChoice choice{runFileDialog(dialog, FileKind::Image), std::nullopt};
    if (choice.path.isEmpty())
        return std::nullopt;
    if (!isImageSuffix(QFileInfo(choice.path).suffix().toLower()))
        choice.path += QLatin1Char('.') + filterSuffix(dialog.selectedNameFilter());
    if (QFileInfo(choice.path).suffix().toLower() == QLatin1String("pdf")) {
        choice.pdfPages = askPdfPages(parent, pdfPages);
        if (!choice.pdfPages)
            return std::nullopt;
    }
    return choice;
}
