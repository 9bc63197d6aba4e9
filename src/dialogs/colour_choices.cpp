// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/colour_choices.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QPixmap>

namespace {

// Named by hue for those who cannot see them: in the palette's order.
constexpr const char* paletteNames[] = {
    QT_TRANSLATE_NOOP("ColourChoices", "Blue"),  QT_TRANSLATE_NOOP("ColourChoices", "Orange"),
    QT_TRANSLATE_NOOP("ColourChoices", "Mint"),  QT_TRANSLATE_NOOP("ColourChoices", "Sand"),
    QT_TRANSLATE_NOOP("ColourChoices", "Pink"),  QT_TRANSLATE_NOOP("ColourChoices", "Sky"),
    QT_TRANSLATE_NOOP("ColourChoices", "Pear"),  QT_TRANSLATE_NOOP("ColourChoices", "Lilac"),
    QT_TRANSLATE_NOOP("ColourChoices", "Grey"),
};
static_assert(std::size(paletteNames) == boxColours::palette.size());

QString tr(const char* text) { return QCoreApplication::translate("ColourChoices", text); }

QPixmap swatch(Colour colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(QColor(redOf(colour), greenOf(colour), blueOf(colour)));
    return pixmap;
}

} // namespace

void fillSchemeChoices(QComboBox* box)
{
    box->addItem(tr("None"));
    box->addItem(tr("By branch of the family"));
    box->addItem(tr("By sex"));
    box->addItem(tr("By generation"));
}

void fillColourChoices(QComboBox* box)
{
    box->addItem(tr("None"), QVariant::fromValue(noColour));
    for (std::size_t i = 0; i < boxColours::palette.size(); ++i)
        box->addItem(swatch(boxColours::palette[i]), tr(paletteNames[i]),
                     QVariant::fromValue(boxColours::palette[i]));
}

void selectColourChoice(QComboBox* box, Colour colour)
{
    int index = box->findData(QVariant::fromValue(colour));
    if (index < 0) {
        box->addItem(swatch(colour), tr("Other"), QVariant::fromValue(colour));
        index = box->count() - 1;
    }
    box->setCurrentIndex(index);
}

Colour chosenColour(const QComboBox* box) { return box->currentData().value<Colour>(); }
