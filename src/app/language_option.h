// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Takes "--lang CODE" out of a command line (argv ends in a null, which stays), so
// the rest reads as without it; returns CODE, or null when the option is not there.
// Without its code the option stays, to be refused as unknown.
const char* takeLanguageCode(int& argc, char** argv);
