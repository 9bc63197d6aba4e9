// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "helpmod/stirpa_string.h"
#include "model/tree.h"
#include "model/tree_settings.h"

#include <memory>

// A chart: the tree of boxes and the settings its file's header line carries.
// A value that moves but is not copied; the tree and the settings keep their
// addresses when it moves, so whatever points into them stays valid.
class Chart {
public:
    explicit Chart(const TreeSettings& settings = {}, const String& name = String());
    Chart(Chart&&) noexcept = default;
    Chart& operator=(Chart&&) noexcept = default;
    ~Chart();

    Tree& tree() { return parts_->tree; }
    const Tree& tree() const { return parts_->tree; }
    TreeSettings& settings() { return parts_->settings; }
    const TreeSettings& settings() const { return parts_->settings; }

private:
    struct Parts {
        explicit Parts(const TreeSettings& settings, const String& name);
        TreeSettings settings;
        Tree tree; // reads the settings above
    };
    std::unique_ptr<Parts> parts_;
};
