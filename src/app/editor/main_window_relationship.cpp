// SPDX-License-Identifier: GPL-3.0-or-later
// Tree > Relationship: how the persons of the last two boxes selected in a
// linked chart are related, in a dialog and as a red line over the chart.
#include "app/editor/main_window.h"

#include "dialogs/relationship_dialog.h"
#include "document/chart_document.h"
#include "family/relationship_boxes.h"
#include "family/relationship_words.h"
#include "gedcom/gedcom_reader.h"
#include "layout/date_text.h"
#include "layout/person_description.h"
#include "layout/person_identity.h"
#include "model/text_codec.h"
#include "view/chart_view.h"

#include <QFileInfo>
#include <QLocale>

namespace {

QString nameOf(const GedcomData& data, int person)
{
    return QString::fromStdString(displayName(data.persons[std::size_t(person)]));
}

// "Ann Lee (I1, 1850–1911)", as --relate writes the line.
QString lineEntry(const GedcomData& data, int person)
{
    const GedcomPerson& record = data.persons[std::size_t(person)];
    const QString years = QString::fromStdString(lifeYears(record));
    return QStringLiteral("%1 (%2%3)")
        .arg(nameOf(data, person),
             QString::fromUtf8(record.xref.data(), qsizetype(record.xref.size())),
             years.isEmpty() ? QString() : ", " + years);
}

std::vector<RelationshipDialog::Entry> entriesOf(const GedcomData& data, int a, int b,
                                                 const std::vector<Relationship>& relationships)
{
    const DateLanguage language = dateLanguageOf(QLocale().name().toStdString());
    const std::string nameA = displayName(data.persons[std::size_t(a)]);
    const std::string nameB = displayName(data.persons[std::size_t(b)]);
    if (relationships.empty())
        return {{QString::fromStdString(notRelatedSentence(nameA, nameB, language)), {}}};
    std::vector<RelationshipDialog::Entry> entries;
    for (const Relationship& relationship : relationships) {
        const char sexInLaw =
            relationship.inLaw >= 0 ? data.persons[std::size_t(relationship.inLaw)].sex : 'U';
        RelationshipDialog::Entry entry{
            QString::fromStdString(relationshipSentence(
                relationship, data.persons[std::size_t(a)].sex, sexInLaw, nameA, nameB, language)),
            {}};
        for (const int person : relationship.line)
            entry.line << lineEntry(data, person);
        entries.push_back(std::move(entry));
    }
    return entries;
}

} // namespace

void MainWindow::noteSelectedBox()
{
    const Person* box = document_->selectedBox();
    if (!box || box->cell() == lastBoxCell_)
        return;
    earlierBoxCell_ = lastBoxCell_;
    lastBoxCell_ = box->cell();
}

void MainWindow::treeRelationship()
{
    const QString title = tr("Relationship");
    const FamilyLink& link = document_->chart().familyLink();
    if (!link.linked()) {
        showError(title, tr("This chart is not linked to a family file, which tells how its "
                            "persons are related. Tree > Link to family file links it."));
        return;
    }
    const Tree& tree = document_->tree();
    const Person* boxB = document_->selectedBox();
    const Person* boxA = earlierBoxCell_ == noCell ? nullptr : tree.findPerson(earlierBoxCell_);
    if (!boxA || !boxB || boxA == boxB) {
        showError(title, tr("Select the box of one person, then the box of the other, then "
                            "choose Tree > Relationship."));
        return;
    }
    const QString path = QString::fromLocal8Bit(link.path.c_str());
    if (!QFileInfo::exists(path)) {
        showError(title, tr("The chart's family file %1 is gone. File > Update from family file "
                            "finds the file it became.")
                             .arg(path));
        return;
    }
    if (!mayReadFamilyFile(path))
        return;
    const GedcomLoad family = readGedcomFile(path.toLocal8Bit().toStdString());
    if (showFailure(title, family))
        return;
    const GedcomData& data = family.data;
    const int a = personOfBox(tree, data, boxA);
    const int b = personOfBox(tree, data, boxB);
    for (const auto& [person, box] : {std::pair{a, boxA}, std::pair{b, boxB}})
        if (person < 0) {
            showError(title,
                      tr("The box \"%1\" stands for no person of %2.")
                          .arg(QString::fromStdString(displayText(firstLine(box->text))), path));
            return;
        }
    if (a == b) {
        showError(title, tr("Both boxes stand for %1.").arg(nameOf(data, a)));
        return;
    }
    const std::vector<Relationship> relationships = relationshipsOf(data, a, b);
    view_->setRedLine(relationshipLine(tree, data, relationships));
    auto* dialog = new RelationshipDialog(entriesOf(data, a, b, relationships), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}
