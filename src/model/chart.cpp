// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/chart.h"

Chart::Parts::Parts(const TreeSettings& settings, const String& name)
    : settings(settings),
      tree(this->settings, name)
{
}

Chart::Chart(const TreeSettings& settings, const String& name)
    : parts_(std::make_unique<Parts>(settings, name))
{
}

Chart::~Chart() = default;
