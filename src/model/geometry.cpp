// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/geometry.h"

#include <algorithm>

bool strictlyContains(const Rect& rect, Point point)
{
    const int minX = std::min(rect.left, rect.right), maxX = std::max(rect.left, rect.right);
    const int minY = std::min(rect.top, rect.bottom), maxY = std::max(rect.top, rect.bottom);
    return minX < point.x && point.x < maxX && minY < point.y && point.y < maxY;
}

bool intersects(const Rect& a, const Rect& b)
{
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

int scaled(int value, double factor) { return int(double(value) * factor); }
