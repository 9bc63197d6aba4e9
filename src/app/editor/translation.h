// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Takes "--lang CODE" out of the command line as takeLanguageCode does; returns
// CODE, or an empty string when the option is not there.
QString takeLanguageOption(int& argc, char** argv);

// Installs Stirpa's translation and Qt's own for the language given (a code such
// as "de"), else for the system's (LANGUAGE, LC_ALL, LC_MESSAGES, LANG). English
// needs none. Needs the application object.
void installTranslations(const QString& language);
