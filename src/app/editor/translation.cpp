// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/translation.h"

#include "app/command/language_option.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

QString takeLanguageOption(int& argc, char** argv)
{
    const char* const code = takeLanguageCode(argc, argv);
    return code ? QString::fromLocal8Bit(code) : QString();
}

void installTranslations(const QString& language)
{
    if (!language.isEmpty())
        QLocale::setDefault(QLocale(language));
    const auto install = [](const QString& name, const QString& folder) {
        auto* translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(QLocale(), name, QStringLiteral("_"), folder))
            QCoreApplication::installTranslator(translator);
        else
            delete translator;
    };
    install(QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    install(QStringLiteral("stirpa"), QStringLiteral(":/i18n"));
}
