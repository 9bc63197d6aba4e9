// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/gedcom_import_dialog.h"

#include "dialogs/colour_choices.h"
#include "dialogs/help_topic.h"
#include "dialogs/person_list_model.h"
#include "document/message_text.h"
#include "layout/book_plan.h"
#include "layout/chart_kind.h"
#include "layout/date_text.h"
#include "layout/living_persons.h"
#include "layout/root_person.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

GedcomImportDialog::GedcomImportDialog(const GedcomData& data, QWidget* parent,
                                       const CalendarDate& today)
    : QDialog(parent),
      data_(data),
      today_(today),
      livingPersons_(::livingPersons(data, today)),
      model_(new PersonListModel(data, this)),
      characterSet_(new QLabel(this)),
      filter_(new QLineEdit(this)),
      list_(new QListView(this)),
      descendants_(new QRadioButton(tr("&Descendants"), this)),
      ancestors_(new QRadioButton(tr("&Ancestors"), this)),
      hourglass_(new QRadioButton(tr("&Hourglass"), this)),
      generations_(new QSpinBox(this)),
      generationsUp_(new QSpinBox(this)),
      book_(new QCheckBox(tr("&Book of charts, each at most"), this)),
      bookColumns_(new QSpinBox(this)),
      places_(new QCheckBox(tr("&Places of birth and death"), this)),
      marriages_(new QCheckBox(tr("&Marriage dates"), this)),
      keepUnderscores_(new QCheckBox(tr("&Keep underscores in names"), this)),
      titles_(new QCheckBox(tr("Show t&itles before names"), this)),
      dateLanguage_(dateLanguageOf(QLocale().name().toStdString())),
      dates_(new QComboBox(this)),
      living_(new QComboBox(this)),
      colours_(new QComboBox(this)),
      livingCount_(new QLabel(this)),
      preview_(new QLabel(this)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setUpWidgets();
    fillChoiceLists();
    layOut();
    connectWidgets();
    chosen_ = defaultRoot(data, options().layout).person;
    const QModelIndex start = model_->index(std::max(0, model_->rowOf(chosen_)));
    list_->setCurrentIndex(start);
    list_->scrollTo(start, QAbstractItemView::PositionAtCenter);
    updateLayoutChoices();
}

void GedcomImportDialog::setUpWidgets()
{
    setWindowTitle(tr("Import GEDCOM"));
    setHelpTopic(this, "Gedcom");
    const Result note = characterSetNote(data_.characterSet);
    characterSet_->setText(messageText(note));
    characterSet_->setWordWrap(true);
    characterSet_->setVisible(*note.pattern != '\0');
    filter_->setPlaceholderText(tr("Type part of a name or a year"));
    filter_->setClearButtonEnabled(true);
    list_->setModel(model_);
    list_->setAccessibleName(tr("People"));
    list_->setUniformItemSizes(true); // keeps long lists fast
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    descendants_->setChecked(true);
    generations_->setRange(1, maxGenerations);
    generations_->setValue(4);
    // Of an hourglass: the generations above the root, which is counted below.
    generationsUp_->setRange(1, maxGenerations - 1);
    generationsUp_->setValue(3);
    hourglass_->setToolTip(tr("Ancestors above the person, descendants below"));
    bookColumns_->setRange(minBookColumns, maxBookColumns);
    bookColumns_->setValue(30);
    bookColumns_->setSuffix(tr(" columns wide"));
    // Read out with the box it completes, which stands as its label.
    bookColumns_->setAccessibleName(QString(book_->text()).remove(QLatin1Char('&')));
    book_->setToolTip(tr("Branches that would make a chart wider go on in charts of their own, "
                         "saved beside it and linked by continuation boxes"));
    places_->setChecked(true);
    titles_->setToolTip(tr("Show \"Queen Victoria Hanover\" for Victoria Hanover titled "
                           "\"Queen\""));
    keepUnderscores_->setToolTip(tr("Show \"Edward_VII\" as the file writes it, not as "
                                    "\"Edward VII\""));
}

void GedcomImportDialog::fillChoiceLists()
{
    // In the order of LivingPolicy.
    living_->addItem(tr("Show everything"));
    living_->addItem(tr("Names only"));
    living_->addItem(tr("Hide as \"Living\""));
    living_->addItem(tr("Show everything, records marked private too"));
    // In the order of DateStyle, with examples as the chart will write them.
    const auto example = [this](DateStyle style, const char* date) {
        return QString::fromStdString(dateText(date, style, dateLanguage_));
    };
    dates_->addItem(
        tr("Short: %1, %2")
            .arg(example(DateStyle::Short, "3 MAR 1820"), example(DateStyle::Short, "ABT 1848")));
    dates_->addItem(
        tr("Long: %1, %2")
            .arg(example(DateStyle::Long, "3 MAR 1820"), example(DateStyle::Long, "ABT 1848")));
    dates_->addItem(tr("As the file writes them"));
    fillSchemeChoices(colours_);
}

void GedcomImportDialog::layOut()
{
    auto* direction = new QHBoxLayout;
    direction->addWidget(descendants_);
    direction->addWidget(ancestors_);
    direction->addWidget(hourglass_);
    direction->addStretch();
    auto* book = new QHBoxLayout;
    book->addWidget(book_);
    book->addWidget(bookColumns_);
    book->addStretch();
    auto* form = new QFormLayout;
    form->addRow(characterSet_);
    form->addRow(tr("&Find:"), filter_);
    form->addRow(list_);
    form->addRow(tr("Show:"), direction);
    form->addRow(tr("&Generations:"), generations_);
    form->addRow(tr("Generations &up:"), generationsUp_);
    form->addRow(book);
    form->addRow(places_);
    form->addRow(marriages_);
    form->addRow(keepUnderscores_);
    form->addRow(titles_);
    form->addRow(tr("Da&tes:"), dates_);
    form->addRow(tr("&Living persons:"), living_);
    form->addRow(QString(), livingCount_);
    form->addRow(tr("Box &colours:"), colours_);
    form->addRow(preview_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons_);
    resize(480, 600);
}

void GedcomImportDialog::connectWidgets()
{
    connect(filter_, &QLineEdit::textChanged, this, &GedcomImportDialog::applyFilter);
    connect(list_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    chosen_ = model_->personAt(current.row());
                updatePreview();
            });
    for (QRadioButton* kind : {descendants_, ancestors_, hourglass_})
        connect(kind, &QRadioButton::toggled, this, &GedcomImportDialog::updateLayoutChoices);
    connect(book_, &QCheckBox::toggled, this, &GedcomImportDialog::updateLayoutChoices);
    connect(generations_, &QSpinBox::valueChanged, this, &GedcomImportDialog::updatePreview);
    connect(generationsUp_, &QSpinBox::valueChanged, this, &GedcomImportDialog::updatePreview);
    connect(living_, &QComboBox::currentIndexChanged, this, &GedcomImportDialog::updatePreview);
    connect(list_, &QListView::doubleClicked, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void GedcomImportDialog::updateLayoutChoices()
{
    const bool hourglass = hourglass_->isChecked();
    generationsUp_->setEnabled(hourglass);
    generations_->setMaximum(hourglass ? maxGenerations - 1 : maxGenerations);
    // A book splits one family tree's breadth; an hourglass has two.
    book_->setEnabled(!hourglass);
    bookColumns_->setEnabled(!hourglass && book_->isChecked());
    updatePreview();
}

void GedcomImportDialog::applyFilter()
{
    model_->setFilter(filter_->text());
    const int row = model_->rowOf(chosen_);
    // The person chosen stays chosen while shown; otherwise the first one shown is.
    const int current = row >= 0 ? row : 0;
    list_->setCurrentIndex(model_->index(current));
    if (model_->rowCount() == 0)
        updatePreview();
}

int GedcomImportDialog::chosenPerson() const
{
    return model_->personAt(list_->currentIndex().row());
}

ImportOptions GedcomImportDialog::options() const
{
    ImportOptions options;
    options.layout.root = chosenPerson();
    options.layout.kind = hourglass_->isChecked()   ? LayoutKind::Hourglass
                          : ancestors_->isChecked() ? LayoutKind::Ancestors
                                                    : LayoutKind::Descendants;
    // An hourglass counts the generations each way, the root's own aside.
    const bool hourglass = options.layout.kind == LayoutKind::Hourglass;
    options.layout.generations = generations_->value() + (hourglass ? 1 : 0);
    options.layout.ancestorGenerations = generationsUp_->value() + 1;
    options.bookColumns = bookColumns_->isEnabled() ? bookColumns_->value() : 0;
    options.description.places = places_->isChecked();
    options.description.marriages = marriages_->isChecked();
    options.description.keepUnderscores = keepUnderscores_->isChecked();
    options.description.dates = DateStyle(dates_->currentIndex());
    options.description.dateLanguage = dateLanguage_;
    options.description.titles = titles_->isChecked();
    options.colours = ColourScheme(colours_->currentIndex());
    options.description.living = LivingPolicy(living_->currentIndex());
    options.today = today_;
    return options;
}

void GedcomImportDialog::updatePreview()
{
    const bool chosen = chosenPerson() >= 0;
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(chosen);
    if (!chosen) {
        preview_->setText(tr("No person matches."));
        livingCount_->clear();
        return;
    }
    const std::vector<PlannedBox> plan =
        chartKind(options().layout.kind).plan(data_, options().layout);
    preview_->setText(plan.size() == 1 ? tr("The chart will have 1 box.")
                                       : tr("The chart will have %1 boxes.").arg(plan.size()));
    const int living = livingCount(plan, livingPersons_);
    livingCount_->setText(living == 0   ? tr("No one in the chart is living.")
                          : living == 1 ? tr("1 person in the chart is living.")
                                        : tr("%1 persons in the chart are living.").arg(living));
}
