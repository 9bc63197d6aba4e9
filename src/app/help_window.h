// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QTextBrowser;

// The one help window; shows a topic's text, and the topics as links.
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    void showTopic(const QString& topic, const QString& text);
    QString currentTopic() const { return topic_; }

    // Makes the help module show its topics in a window of this kind.
    static void install(QWidget* parent);
    static HelpWindow* instance();

private:
    QTextBrowser* browser_;
    QString topic_;
};
