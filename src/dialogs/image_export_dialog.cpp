// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/image_export_dialog.h"

#include "dialogs/page_options_widget.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QVBoxLayout>

namespace {

struct ImageType {
    const char* filter;
    const char* suffix;
};

constexpr ImageType imageTypes[] = {
    {QT_TRANSLATE_NOOP("QObject", "PNG image (*.png)"), "png"},
    {QT_TRANSLATE_NOOP("QObject", "SVG drawing (*.svg)"), "svg"},
    {QT_TRANSLATE_NOOP("QObject", "PDF document (*.pdf)"), "pdf"},
};

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
    QStringList filters;
    for (const ImageType& type : imageTypes)
        filters << QObject::tr(type.filter);
    QFileDialog dialog(parent, QObject::tr("Export image"), initialPath);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    ImageExportChoice choice{dialog.selectedFiles().constFirst(), std::nullopt};
    const QString suffix = QString::fromLatin1(
        imageTypes[std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter()))].suffix);
    const QString given = QFileInfo(choice.path).suffix().toLower();
    if (given != QLatin1String("png") && given != QLatin1String("svg") &&
        given != QLatin1String("pdf"))
        choice.path += QLatin1Char('.') + suffix;
    if (QFileInfo(choice.path).suffix().toLower() == QLatin1String("pdf")) {
        choice.pdfPages = askPdfPages(parent, pdfPages);
        if (!choice.pdfPages)
            return std::nullopt;
    }
    return choice;
}
