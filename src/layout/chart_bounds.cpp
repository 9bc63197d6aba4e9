// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/chart_bounds.h"

std::vector<double> descendantBounds(const GedcomData& data, int generations)
{
    const std::size_t count = data.persons.size();
    std::vector<double> own(count, 1);
    for (const GedcomFamily& family : data.families)
        if (family.husband >= 0 && family.wife >= 0) {
            ++own[std::size_t(family.husband)];
            ++own[std::size_t(family.wife)];
        }
    std::vector<double> bound = own;
    std::vector<double> next(count);
    std::vector<double> childrens(data.families.size()); // by family, both parents share it
    for (int g = 2; g <= generations; ++g) {
        for (std::size_t f = 0; f < childrens.size(); ++f) {
            childrens[f] = 0;
            for (const int child : data.families[f].children)
                childrens[f] += bound[std::size_t(child)];
        }
        for (std::size_t p = 0; p < count; ++p) {
            next[p] = own[p];
            for (const int f : data.persons[p].spouseIn)
                next[p] += childrens[std::size_t(f)];
        }
        bound.swap(next);
    }
    return bound;
}

std::vector<double> ancestorBounds(const GedcomData& data, int generations)
{
    const std::size_t count = data.persons.size();
    std::vector<double> bound(count, 1);
    std::vector<double> next(count);
    for (int g = 2; g <= generations; ++g) {
        for (std::size_t p = 0; p < count; ++p) {
            next[p] = 1;
            for (const int f : data.persons[p].childOf)
                for (const int parent :
                     {data.families[std::size_t(f)].husband, data.families[std::size_t(f)].wife})
                    if (parent >= 0)
                        next[p] += bound[std::size_t(parent)];
        }
        bound.swap(next);
    }
    return bound;
}
