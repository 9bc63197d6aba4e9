// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Takes "--lang CODE" out of a command line (argv ends in a null, which stays), so
// the rest reads as without it; returns CODE, or null when the option is not there.
// Without its code the option stays, to be refused as unknown.
const char* takeLanguageCode(int& argc, char** argv);

// The interface's language: the code given, else the system's (LANGUAGE,
// LC_ALL, LC_MESSAGES, LANG, the first set); empty when none is.
std::string interfaceLanguage(const char* code);
