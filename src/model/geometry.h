// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A grid cell: column counted from 0 at the left, level from 0 at the top.
struct Cell {
    int column = 0;
    int level = 0;
    friend bool operator==(const Cell&, const Cell&) = default;
};

inline constexpr Cell noCell{-1, -1};

// Chart pixels: one pixel is one device unit, y grows downward.
struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool isEmpty() const { return left == right || top == bottom; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// True when the point lies strictly inside the rectangle (corners in any order);
// a point on the border is outside.
bool strictlyContains(const Rect& rect, Point point);

// Whether two rectangles (corners in order) share at least one pixel.
bool intersects(const Rect& a, const Rect& b);

// Product of an integer with a fractional factor, truncated toward zero.
int scaled(int value, double factor);
