// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/relationship_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QTextDocument>
#include <QVBoxLayout>

RelationshipDialog::RelationshipDialog(const std::vector<Entry>& entries, QWidget* parent)
    : QDialog(parent),
      text_(new QLabel(this))
{
    setWindowTitle(tr("Relationship"));
    // Names come from a family file: text, never markup.
    QString html;
    for (const Entry& entry : entries) {
        html += QStringLiteral("<p><b>%1</b>").arg(entry.sentence.toHtmlEscaped());
        for (const QString& person : entry.line)
            html += QStringLiteral("<br>&nbsp;&nbsp;%1").arg(person.toHtmlEscaped());
        html += QStringLiteral("</p>");
    }
    text_->setTextFormat(Qt::RichText);
    text_->setText(html);
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(buttons);
}

QString RelationshipDialog::shownText() const
{
    QTextDocument document;
    document.setHtml(text_->text());
    return document.toPlainText();
}
