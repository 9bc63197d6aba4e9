// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/family_link.h"
#include "model/tree.h"
#include "model/tree_settings.h"

#include <memory>
#include <string>
#include <utility>

// A chart: the tree of boxes and the settings its file's header line carries.
// A value that moves but is not copied; the tree and the settings keep their
// addresses when it moves, so whatever points into them stays valid.
class Chart {
public:
    explicit Chart(const TreeSettings& settings = {}, std::string name = {});
    Chart(Chart&&) noexcept = default;
    Chart& operator=(Chart&&) noexcept = default;
    ~Chart();

    const Tree& tree() const { return parts_->tree; }
    // For whoever builds or edits the chart it owns (a reader, an import, the
    // document).
    Tree& mutableTree() { return parts_->tree; }
    TreeSettings& settings() { return parts_->settings; }
    const TreeSettings& settings() const { return parts_->settings; }
    // The family file the chart is linked to; not linked() for most charts.
    const FamilyLink& familyLink() const { return parts_->family; }
    void setFamilyLink(FamilyLink link) { parts_->family = std::move(link); }

private:
    struct Parts {
        Parts(const TreeSettings& settings, std::string name);
        TreeSettings settings;
        Tree tree; // reads the settings above
        FamilyLink family;
    };
    std::unique_ptr<Parts> parts_;
};
