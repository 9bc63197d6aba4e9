// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/chart.h"

Chart::Parts::Parts(const TreeSettings& settings, std::string name)
    : settings(settings),
      tree(this->settings, std::move(name))
{
}

Chart::Chart(const TreeSettings& settings, std::string name)
    : parts_(std::make_unique<Parts>(settings, std::move(name)))
{
}

Chart::~Chart() = default;
