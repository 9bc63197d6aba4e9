// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/about_dialog.h"

#include "app/editor/toolbar_icons.h"
#include "dialogs/help_topic.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("About Stirpa"));
    setHelpTopic(this, "");
    auto* pictures = new QHBoxLayout;
    for (int variant = 0; variant < 3; ++variant) {
        auto* picture = new QLabel(this);
        picture->setPixmap(treePicture(48, devicePixelRatioF(), variant));
        pictures->addWidget(picture);
    }
    auto* version = new QLabel(tr("Stirpa Version %1").arg(QStringLiteral(STIRPA_VERSION)), this);
    auto* note = new QLabel(tr("Family-tree charts, laid out by hand."), this);
    auto* close = new QPushButton(tr("Close"), this);
    auto* help = new QPushButton(tr("Help"), this);
    help->setObjectName(QStringLiteral("help"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(help, &QPushButton::clicked, this, [this] { openHelpFor(this); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(help);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(pictures);
    layout->addWidget(version);
    layout->addWidget(note);
    layout->addLayout(buttons);
}
