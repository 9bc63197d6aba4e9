// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command/relate_batch.h"

#include "app/command/gedcom_batch.h"
#include "family/relationship_words.h"
#include "layout/person_description.h"

namespace {

constexpr const char* relateUsage = "FILE.ged A B";

// "Ann Lee (I1, 1850–1911)": names alone may repeat in a family.
std::string personLine(const GedcomData& data, int person)
{
    const GedcomPerson& record = data.persons[std::size_t(person)];
    const std::string years = lifeYears(record);
    return displayName(record) + " (" + std::string(record.xref) +
           (years.empty() ? "" : ", " + years) + ')';
}

// The line from A to B, a person a line; the couple the line goes through on one.
void writeLine(std::ostream& out, const GedcomData& data, const Relationship& relationship,
               DateLanguage language)
{
    const std::vector<int>& line = relationship.line;
    for (std::size_t i = 0; i < line.size(); ++i) {
        out << "  " << personLine(data, line[i]);
        const bool couple = relationship.ancestors.size() == 2 && i + 1 < line.size() &&
                            line[i] == relationship.ancestors[0] &&
                            line[i + 1] == relationship.ancestors[1];
        if (couple)
            out << (language == DateLanguage::German ? " und " : " and ")
                << personLine(data, line[++i]);
        out << '\n';
    }
}

} // namespace

int relateCommand(const std::vector<std::string>& args, BatchStreams streams, DateLanguage language)
{
    // An empty A or B would name everyone.
    if (args.size() != 3 || args[1].empty() || args[2].empty()) {
        streams.err << "usage: stirpa --relate " << relateUsage << '\n';
        return 2;
    }
    const std::string& path = args[0];
    const std::optional<GedcomLoad> load = readPersons(path, streams.err);
    if (!load)
        return 1;
    const GedcomData& data = load->data;
    const int a = personNamed(data, path, args[1], "", streams.err);
    const int b = a < 0 ? -1 : personNamed(data, path, args[2], "", streams.err);
    if (b < 0)
        return 1;
    const std::string nameA = displayName(data.persons[std::size_t(a)]);
    const std::string nameB = displayName(data.persons[std::size_t(b)]);
    if (a == b) {
        streams.err << '"' << args[1] << "\" and \"" << args[2] << "\" are the same person, "
                    << personLine(data, a) << "; give two persons.\n";
        return 1;
    }
    const std::vector<Relationship> relationships = relationshipsOf(data, a, b);
    if (relationships.empty()) {
        streams.out << notRelatedSentence(nameA, nameB, language) << '\n';
        return 0;
    }
    for (std::size_t i = 0; i < relationships.size(); ++i) {
        const Relationship& relationship = relationships[i];
        const char sexInLaw =
            relationship.inLaw >= 0 ? data.persons[std::size_t(relationship.inLaw)].sex : 'U';
        streams.out << (i > 0 ? "\n" : "")
                    << relationshipSentence(relationship, data.persons[std::size_t(a)].sex,
                                            sexInLaw, nameA, nameB, language)
                    << '\n';
        writeLine(streams.out, data, relationship, language);
    }
    return 0;
}

BatchOption relateOption(DateLanguage language)
{
    return {"--relate", relateUsage,
            "print how A is related to B in the family of a GEDCOM file, A and B as --root "
            "takes them (a record id or a name): \"A is the grandmother of B\", then the line "
            "from A up to the nearest common ancestors and down to B, a person a line; one such "
            "block for each relationship (cousins twice over have two); by marriage (\"the "
            "husband of a granddaughter of B\") only when A and B neither share an ancestor nor "
            "married; \"A is not related to B\" when none. In German with --lang de",
            [language](const std::vector<std::string>& args, BatchStreams streams) {
                return relateCommand(args, streams, language);
            }};
}
