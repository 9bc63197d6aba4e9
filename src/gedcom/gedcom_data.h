// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gedcom/character_set.h"
#include "gedcom/xref_index.h"

#include <list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// What a lineage-linked GEDCOM file tells about persons and families, all text
// in UTF-8 and pointing into the file's text, which the data holds. Links are
// indices into the vectors; a link to a record the file lacks is left out.
struct GedcomEvent {
    std::string_view date; // as written in the file
    std::string_view place;
    bool recorded = false; // the file has the event, with or without a date or place
    bool empty() const { return date.empty() && place.empty(); }
};

// What else a person's NAME calls them, which a search finds: its NPFX,
// NSFX and NICK. Kept apart, as few persons have them.
struct GedcomNames {
    std::string_view prefix;
    std::string_view suffix;
    std::string_view nickname;
};

struct GedcomPerson {
    std::string_view xref; // without its at signs
    std::string_view name; // the NAME value as written, slashes and all
    std::string_view given;
    std::string_view surname;
    std::string_view title; // the first TITL
    char sex = 'U';
    bool restricted = false; // marked privacy or confidential: kept from view as the living are
    int otherNames = -1;     // in GedcomData::otherNames; -1: none
    GedcomEvent birth;
    GedcomEvent christening;
    GedcomEvent death;
    GedcomEvent burial;
    std::vector<int> childOf;  // families, the file's order
    std::vector<int> spouseIn; // families, the file's order
};

struct GedcomFamily {
    std::string_view xref;
    int husband = -1;
    int wife = -1;
    std::vector<int> children; // in birth order where dates tell it
    GedcomEvent marriage;
};

struct GedcomData {
    std::vector<GedcomPerson> persons;
    std::vector<GedcomFamily> families;
    std::vector<GedcomNames> otherNames;
    // The person the file calls its home person or its submitter's own, or -1.
    int home = -1;
    CharacterSetChoice characterSet;
    // Lines skipped and links dropped, each with its line number.
    std::vector<std::string> warnings;
    // Of the file's bytes (bytesFingerprint) when read from a file, else 0.
    std::uint64_t fileFingerprint = 0;

    // The text the values point into: the file, and the values continued over
    // several lines. Shared, so that a copy of the data points into it as well.
    struct Text {
        std::string file;
        std::list<std::string> joined; // a list, so that readers can hand theirs over
    };
    std::shared_ptr<Text> text = std::make_shared<Text>();

    // The persons by cross-reference, as the reader made them (data made by
    // hand has none, and is searched person by person).
    std::shared_ptr<const XrefIndex> personIndex;

    // The person with the cross-reference (with or without at signs), or -1;
    // the first one when several have it.
    int findPerson(std::string_view xref) const;
    // Whether two persons may share a cross-reference (always, for data made
    // by hand): then a record names the first of them only.
    bool repeatsPersonXrefs() const { return !personIndex || personIndex->repeats(); }
    // Whether another person has the person's cross-reference.
    bool xrefRepeated(int person) const;
    // Whether a family the child was born into names the parent.
    bool isParent(int parent, int child) const;
};
