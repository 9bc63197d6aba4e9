// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/help_window.h"

#include "dialogs/help_topic.h"
#include "help/help_mgr.h"

#include <QApplication>
#include <QColor>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextDocumentFragment>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace {

QPointer<HelpWindow> shown;

QString title(const QString& topic, const QString& html)
{
    const qsizetype start = html.indexOf(QLatin1String("<h1>"));
    const qsizetype end = html.indexOf(QLatin1String("</h1>"));
    if (start >= 0 && end > start)
        return QTextDocumentFragment::fromHtml(html.mid(start + 4, end - start - 4)).toPlainText();
    return topic.isEmpty() ? HelpWindow::tr("Contents") : topic;
}

void openTopicOf(const QListWidgetItem* item)
{
    HelpMgr::mainHelp.Open(item->data(Qt::UserRole).toString().toStdString());
}

} // namespace

HelpWindow::HelpWindow(QWidget* parent)
    : QDialog(parent),
      search_(new QLineEdit),
      contents_(new QListWidget),
      browser_(new QTextBrowser),
      home_(parent)
{
    setWindowTitle(tr("Stirpa Help"));
    setHelpTopic(this, "");
    search_->setPlaceholderText(tr("Search the help"));
    search_->setAccessibleName(search_->placeholderText());
    contents_->setAccessibleName(tr("Help topics"));
    browser_->setAccessibleName(tr("Help text"));
    search_->setClearButtonEnabled(true);
    browser_->setOpenLinks(false);
    browser_->setLineWrapMode(QTextEdit::WidgetWidth);
    connect(browser_, &QTextBrowser::anchorClicked, this,
            [](const QUrl& url) { HelpMgr::mainHelp.Open(url.fragment().toStdString()); });
    connect(contents_, &QListWidget::itemClicked, this, openTopicOf);
    connect(search_, &QLineEdit::textChanged, this, [this] {
        filterContents();
        markSearchWords();
    });
    // Enter opens the first topic found.
    connect(search_, &QLineEdit::returnPressed, this, [this] {
        for (int row = 0; row < contents_->count(); ++row) {
            if (!contents_->item(row)->isHidden()) {
                openTopicOf(contents_->item(row));
                return;
            }
        }
    });

    auto* splitter = new QSplitter;
    splitter->addWidget(contents_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({180, 520});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(search_);
    layout->addWidget(splitter);
    resize(720, 520);
}

void HelpWindow::fillContents()
{
    struct Entry {
        QString topic;
        QString title;
    };
    std::vector<Entry> entries;
    plainText_.clear();
    for (const auto& [name, body] : HelpMgr::topics()) {
        const QString topic = QString::fromStdString(name);
        const QString html = QString::fromStdString(body);
        plainText_.insert(topic, QTextDocumentFragment::fromHtml(html).toPlainText());
        entries.push_back({topic, title(topic, html)});
    }
    // The contents page first, the rest by title.
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        if (a.topic.isEmpty() != b.topic.isEmpty())
            return a.topic.isEmpty();
        return a.title.localeAwareCompare(b.title) < 0;
    });
    contents_->clear();
    for (const Entry& entry : entries) {
        auto* item = new QListWidgetItem(entry.title, contents_);
        item->setData(Qt::UserRole, entry.topic);
    }
    filterContents();
}

QStringList HelpWindow::searchWords() const
{
    return search_->text().split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

void HelpWindow::filterContents()
{
    const QStringList words = searchWords();
    for (int row = 0; row < contents_->count(); ++row) {
        QListWidgetItem* item = contents_->item(row);
        const QString& text = plainText_.value(item->data(Qt::UserRole).toString());
        const bool found = std::all_of(words.begin(), words.end(), [&](const QString& word) {
            return text.contains(word, Qt::CaseInsensitive);
        });
        item->setHidden(!found);
    }
}

void HelpWindow::markSearchWords()
{
    QList<QTextEdit::ExtraSelection> marks;
    QTextCharFormat marked;
    marked.setBackground(QColor(255, 230, 80));
    for (const QString& word : searchWords()) {
        for (QTextCursor found = browser_->document()->find(word); !found.isNull();
             found = browser_->document()->find(word, found))
            marks.append({found, marked});
    }
    browser_->setExtraSelections(marks);
    if (!marks.isEmpty()) {
        QTextCursor first = marks.constFirst().cursor;
        first.clearSelection();
        browser_->setTextCursor(first);
        browser_->ensureCursorVisible();
    }
}

// A modal dialog blocks every window but its own, so help asked for from one
// becomes that dialog's window until it closes, and then the main window's again.
void HelpWindow::joinModalDialog()
{
    auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!modal || modal == this || parentWidget() == modal)
        return;
    const auto moveTo = [this](QWidget* parent) {
        const QRect place = geometry();
        const bool visible = isVisible();
        setParent(parent, windowFlags());
        if (visible) {
            setGeometry(place);
            show();
        }
    };
    moveTo(modal);
    connect(
        modal, &QDialog::finished, this, [this, moveTo] { moveTo(home_); },
        Qt::SingleShotConnection);
}

void HelpWindow::showTopic(const QString& topic, const QString& html)
{
    joinModalDialog();
    if (plainText_.size() != qsizetype(HelpMgr::topics().size()) || !plainText_.contains(topic))
        fillContents();
    topic_ = topic;
    setWindowTitle(topic.isEmpty() ? tr("Stirpa Help") : tr("Stirpa Help - %1").arg(topic));
    // The pictures: beside the help file, or built in with the built-in copy.
    browser_->setSearchPaths(
        {QFileInfo(QString::fromStdString(HelpMgr::fileInUse())).path(), QStringLiteral(":/help")});
    browser_->setHtml(html);
    for (int row = 0; row < contents_->count(); ++row) {
        if (contents_->item(row)->data(Qt::UserRole).toString() == topic)
            contents_->setCurrentRow(row);
    }
    markSearchWords();
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
