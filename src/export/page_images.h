// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/result.h"

#include <string>
#include <vector>

// The images a page in the template shows: the connectors, plain and lineage,
// and the spacer.
inline const std::vector<std::string> pageImageNames = {"pinne.gif", "pinneR.gif", "tom.gif"};

// Copies each page image that the template's folder holds and the page's folder
// lacks into the page's folder; a file already there, whatever it holds, is never
// replaced. Returns the lines to tell: one naming the images copied (none when
// nothing was), and one for each image that could not be copied (nothing of it
// is then left behind).
std::vector<Result> copyPageImages(const std::string& templateFolder,
                                   const std::string& pageFolder);
