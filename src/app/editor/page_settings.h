// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "render/page_layout.h"

// The page layout last chosen for printing and PDF export, kept between runs.
PageOptions savedPageOptions();
void savePageOptions(const PageOptions& options);
