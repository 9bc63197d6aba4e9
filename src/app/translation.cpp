// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <algorithm>
#include <cstring>

QString takeLanguageOption(int& argc, char** argv)
{
    char** const end = argv + argc;
    char** const option = std::find_if(
        argv + 1, end, [](const char* arg) { return std::strcmp(arg, "--lang") == 0; });
    // Without its code the option stays, to be refused as unknown.
    if (end - option < 2)
        return {};
    const QString code = QString::fromLocal8Bit(option[1]);
    std::copy(option + 2, end + 1, option); // argv[argc] is null and stays so
    argc -= 2;
    return code;
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
