// SPDX-License-Identifier: GPL-3.0-or-later
#include "stirpa_doc.h"

#include "chart_reader.h"
#include "chart_writer.h"
#include "debug_log.h"
#include "html_export.h"
#include "stirpa_view.h"

#include <QFileInfo>

namespace {

String toBytes(const QString& path) { return String(path.toLocal8Bit().toStdString()); }

} // namespace

CStirpaDoc::CStirpaDoc(CStirpaView* view, QObject* parent) : QObject(parent), view_(view) {}

bool CStirpaDoc::OnNewDocument()
{
    view_->newTree(String());
    view_->updateScrollSizes();
    debugLog() << "New tree set\n";
    setPath(QString());
    SetModifiedFlag(false);
    view_->invalidateChart();
    return true;
}

CStirpaDoc::Result CStirpaDoc::load(const QString& path)
{
    ChartLoad load = readChartFile(toBytes(path), treeSettings());
    if (!load)
        return {false, QString::fromStdString(load.message)};
    treeSettings() = load.settings;
    view_->adoptTree(std::move(load.tree));
    view_->updateScrollSizes();
    view_->invalidateChart();
    return {};
}

CStirpaDoc::Result CStirpaDoc::OnOpenDocument(const QString& path)
{
    Result result = load(path);
    if (result.ok) {
        setPath(QFileInfo(path).absoluteFilePath());
        SetModifiedFlag(false);
    }
    return result;
}

CStirpaDoc::Result CStirpaDoc::openUntitled(const QString& path)
{
    Result result = load(path);
    if (result.ok) {
        setPath(QString());
        SetModifiedFlag(false);
    }
    return result;
}

CStirpaDoc::Result CStirpaDoc::openRecovered(const QString& copyPath, const QString& originalPath)
{
    Result result = load(copyPath);
    if (result.ok) {
        setPath(originalPath);
        SetModifiedFlag(true);
    }
    return result;
}

CStirpaDoc::Result CStirpaDoc::saveAs(const QString& path)
{
    const SaveResult saved =
        saveChartFile(path.toLocal8Bit().toStdString(), *view_->tree, treeSettings());
    if (!saved)
        return {false, QString::fromStdString(saved.message)};
    setPath(QFileInfo(path).absoluteFilePath());
    SetModifiedFlag(false);
    return {};
}

CStirpaDoc::Result CStirpaDoc::exportHtml(const QString& path, bool completePage)
{
    const HtmlExportResult result = ::exportHtml(*view_->tree, toBytes(path), completePage);
    if (!result)
        return {false, QString::fromStdString(result.message)};
    return {};
}

QString CStirpaDoc::title() const
{
    return path_.isEmpty() ? tr("Untitled") : QFileInfo(path_).fileName();
}

void CStirpaDoc::SetModifiedFlag(bool modified)
{
    if (modified_ == modified)
        return;
    modified_ = modified;
    emit titleChanged();
}

void CStirpaDoc::setPath(const QString& path)
{
    path_ = path;
    emit titleChanged();
}
