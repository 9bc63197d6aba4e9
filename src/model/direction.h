// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The side a continuation box points toward. Chart files store the number.
enum class Direction : char { Up = 0, Right = 1, Down = 2, Left = 3, None = 4 };

// The direction a stored number names: any number outside 0 to 4 is None.
constexpr Direction directionOf(int number)
{
    return number >= 0 && number <= 4 ? Direction(number) : Direction::None;
}

// The number a chart file stores for the direction.
constexpr int directionNumber(Direction direction) { return int(direction); }
