// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class CStirpaView;

// The document: the chart's file name, title and modified flag. It holds no chart
// data of its own; the chart lives in the view's Tree. It shows no dialogs: each
// operation returns what happened and the window tells the user.
class CStirpaDoc : public QObject {
    Q_OBJECT
public:
    struct Result {
        bool ok = true;
        QString message; // what went wrong, for the user
    };

    explicit CStirpaDoc(CStirpaView* view, QObject* parent = nullptr);

    // An empty, untitled chart.
    bool OnNewDocument();
    // Reads a chart; on failure the current chart and settings stay as they were.
    Result OnOpenDocument(const QString& path);
    // Opens a chart as an untitled, unmodified document (the sample).
    Result openUntitled(const QString& path);
    // Opens a recovery copy as the modified chart of originalPath (empty: untitled).
    Result openRecovered(const QString& copyPath, const QString& originalPath);
    // Saves to path atomically; on success the document takes that name.
    Result saveAs(const QString& path);
    // Writes the chart as an HTML page (template from the current directory).
    Result exportHtml(const QString& path, bool completePage);

    QString pathName() const { return path_; }
    // The chart's name for the window title: its file name, or "Untitled".
    QString title() const;
    bool isModified() const { return modified_; }
    void SetModifiedFlag(bool modified = true);

signals:
    void titleChanged();

private:
    Result load(const QString& path);
    void setPath(const QString& path);

    CStirpaView* view_;
    QString path_;
    bool modified_ = false;
};
