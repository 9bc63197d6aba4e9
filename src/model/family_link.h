// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

// The family file a chart was imported from, and the import's choices, so
// that the chart can take in the file's later changes. An empty path: the
// chart is not linked.
struct FamilyLink {
    std::string path;  // absolute once read from a chart file, or as given
    std::string root;  // the root person's cross-reference
    char layout = 'd'; // 'd' descendants, 'a' ancestors
    int generations = 4;
    bool places = true;
    bool marriages = false;
    char living = 's'; // 's' show, 'n' name only, 'h' hide
    // The family file's bytes as last taken in (import or update); 0: unknown.
    std::uint64_t fileFingerprint = 0;

    bool linked() const { return !path.empty(); }
    bool operator==(const FamilyLink&) const = default;
};
