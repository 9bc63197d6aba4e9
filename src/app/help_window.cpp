// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/help_window.h"

#include "helpmod/help_mgr.h"

#include <QPointer>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {
QPointer<HelpWindow> shown;
}

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent), browser_(new QTextBrowser(this))
{
    setWindowTitle(tr("Stirpa Help"));
    browser_->setOpenLinks(false);
    connect(browser_, &QTextBrowser::anchorClicked, this,
            [](const QUrl& url) { HelpMgr::mainHelp.Open(String(url.fragment().toStdString())); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser_);
    resize(520, 460);
}

void HelpWindow::showTopic(const QString& topic, const QString& text)
{
    topic_ = topic;
    setWindowTitle(topic.isEmpty() ? tr("Stirpa Help") : tr("Stirpa Help - %1").arg(topic));
    QString html = "<pre>" + text.toHtmlEscaped() + "</pre><p>";
    for (const auto& [name, body] : HelpMgr::topics()) {
        const QString title = name.empty() ? tr("Contents") : QString::fromStdString(name);
        html += QString("<a href=\"#%1\">%2</a> &nbsp; ").arg(QString::fromStdString(name), title);
    }
    browser_->setHtml(html);
    show();
    raise();
}

void HelpWindow::install(QWidget* parent)
{
    HelpMgr::setViewer([parent](const std::string& topic, const std::string& text) {
        if (!shown)
            shown = new HelpWindow(parent);
        shown->showTopic(QString::fromStdString(topic), QString::fromStdString(text));
    });
}

HelpWindow* HelpWindow::instance() { return shown; }
