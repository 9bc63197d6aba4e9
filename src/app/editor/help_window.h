// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QHash>

class QLineEdit;
class QListWidget;
class QTextBrowser;

// The one help window: the topics' titles on the left, the current topic's HTML
// on the right, and a search field that narrows the titles to the topics holding
// every word typed and marks the words in the topic shown.
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    void showTopic(const QString& topic, const QString& html);
    QString currentTopic() const { return topic_; }

    QLineEdit* searchField() const { return search_; }
    QListWidget* contentsList() const { return contents_; }
    QTextBrowser* browser() const { return browser_; }

    // Makes the help module show its topics in a window of this kind.
    static void install(QWidget* parent);
    static HelpWindow* instance();

private:
    void joinModalDialog();
    void fillContents();
    void filterContents();
    void markSearchWords();
    QStringList searchWords() const;

    QLineEdit* search_;
    QListWidget* contents_;
    QTextBrowser* browser_;
    QWidget* home_;
    QString topic_;
    QHash<QString, QString> plainText_;
};
