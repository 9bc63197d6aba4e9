// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/list.h"

class Person;

// One step of a lineage path: a box and which of its connectors lie on the path
// (1 right, 2 down, 0 neither).
class HMark : public ListData {
public:
    HMark(Person* person, int bits) : person(person), bits(bits) {}

    bool isOwned() const override { return true; }
    ListData* clone() const override { return new HMark(person, bits); }

    Person* person;
    int bits;
};
