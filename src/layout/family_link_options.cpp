// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/family_link_options.h"

FamilyLink familyLinkFor(const GedcomData& data, const ImportOptions& options, std::string path)
{
    FamilyLink link;
    link.path = std::move(path);
    link.fileFingerprint = data.fileFingerprint;
    const int root = options.layout.root;
    if (root >= 0 && std::size_t(root) < data.persons.size())
        link.root = std::string(data.persons[std::size_t(root)].xref);
    link.layout = options.layout.kind;
    link.generations = options.layout.generations;
    link.ancestorGenerations = options.layout.ancestorGenerations;
    link.places = options.description.places;
    link.marriages = options.description.marriages;
    link.living = options.description.living;
    link.keepUnderscores = options.description.keepUnderscores;
    link.dates = options.description.dates;
    link.dateLanguage = options.description.dateLanguage;
    link.titles = options.description.titles;
    link.bookColumns = options.bookColumns;
    link.colours = options.colours;
    return link;
}

ImportOptions importOptionsOf(const FamilyLink& link, const GedcomData& data)
{
    ImportOptions options;
    options.layout.root = link.root.empty() ? -1 : data.findPerson(link.root);
    options.layout.kind = link.layout;
    options.layout.generations = link.generations;
    options.layout.ancestorGenerations = link.ancestorGenerations;
    options.description.places = link.places;
    options.description.marriages = link.marriages;
    options.description.living = link.living;
    options.description.keepUnderscores = link.keepUnderscores;
    options.description.dates = link.dates;
    options.description.dateLanguage = link.dateLanguage;
    options.description.titles = link.titles;
    options.bookColumns = link.bookColumns;
    options.colours = link.colours;
    return options;
}
