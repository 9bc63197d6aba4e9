// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// The web viewer, built in from resources/web-viewer: the page's markup with
// @TITLE@, @STYLE@, @DATA@ and @SCRIPT@ standing where the rest goes, the style
// sheet, the viewer's code (its files one after another), and the code that
// pages written for tests hold before it.
extern const std::string_view viewerPage;
extern const std::string_view viewerStyle;
extern const std::string_view viewerScript;
extern const std::string_view viewerTestHooks;
