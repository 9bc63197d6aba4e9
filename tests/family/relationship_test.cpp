// SPDX-License-Identifier: GPL-3.0-or-later
// How two persons are related, held against a plain walk over every path
// through parents, over generated villages; and the words at their edges.
#include "family/relationship.h"
#include "family/relationship_words.h"
#include "gedcom/gedcom_reader.h"
#include "gedcom_generator.h"

#include <QtTest>

#include <algorithm>
#include <map>
#include <set>

namespace {

GedcomData dataOf(const std::string& text)
{
    GedcomLoad load = readGedcom(text);
    if (!load)
        qFatal("generated file refused: %s", load.message().c_str());
    return std::move(load.data);
}

std::vector<int> parentsOf(const GedcomData& data, int person)
{
    std::vector<int> parents;
    for (const int family : data.persons[std::size_t(person)].childOf)
        for (const int parent :
             {data.families[std::size_t(family)].husband, data.families[std::size_t(family)].wife})
            if (parent >= 0)
                parents.push_back(parent);
    std::sort(parents.begin(), parents.end());
    return parents;
}

// Every ancestor (the person too) at the fewest generations of any path: no
// marks, every path walked.
void walkUp(const GedcomData& data, int person, int generations, std::map<int, int>& fewest)
{
    const auto [at, added] = fewest.try_emplace(person, generations);
    if (!added)
        at->second = std::min(at->second, generations);
    for (const int parent : parentsOf(data, person))
        walkUp(data, parent, generations + 1, fewest);
}

struct PlainSearch {
    const GedcomData& data;
    std::map<int, std::map<int, int>> ancestors; // by person, each walked once

    const std::map<int, int>& of(int person)
    {
        if (!ancestors.contains(person))
            walkUp(data, person, 0, ancestors[person]);
        return ancestors[person];
    }

    // The common ancestors that are no ancestor of another common ancestor.
    std::set<int> nearest(int a, int b)
    {
        std::set<int> common;
        for (const auto& [person, generations] : of(a))
            if (of(b).contains(person))
                common.insert(person);
        std::set<int> nearest;
        for (const int person : common)
            if (std::none_of(common.begin(), common.end(), [&](int other) {
                    return other != person && of(other).contains(person);
                }))
                nearest.insert(person);
        return nearest;
    }

    // The fewest generations from the person up to the ancestor, or to the
    // couple through a child of both.
    int through(const std::vector<int>& ancestors, int person)
    {
        if (ancestors.size() == 1)
            return of(person).at(ancestors[0]);
        int fewest = INT_MAX;
        for (const auto& [child, generations] : of(person))
            if (parentsOf(data, child) == std::vector<int>{std::min(ancestors[0], ancestors[1]),
                                                           std::max(ancestors[0], ancestors[1])})
                fewest = std::min(fewest, generations + 1);
        return fewest;
    }

    // Whether a child of the ancestor on A's side and one on B's share all
    // their parents: then the relationship is whole, not half.
    bool whole(int ancestor, int a, int b)
    {
        std::vector<int> sideA, sideB;
        for (int child = 0; child < int(data.persons.size()); ++child) {
            const std::vector<int> parents = parentsOf(data, child);
            if (!std::binary_search(parents.begin(), parents.end(), ancestor))
                continue;
            if (of(a).contains(child))
                sideA.push_back(child);
            if (of(b).contains(child))
                sideB.push_back(child);
        }
        for (const int x : sideA)
            for (const int y : sideB)
                if (parentsOf(data, x) == parentsOf(data, y))
                    return true;
        return false;
    }
};

bool married(const GedcomData& data, int a, int b)
{
    for (const int family : data.persons[std::size_t(a)].spouseIn) {
        const GedcomFamily& couple = data.families[std::size_t(family)];
        if (couple.husband == b || couple.wife == b)
            return true;
    }
    return false;
}

bool isParent(const GedcomData& data, int parent, int child)
{
    const std::vector<int> parents = parentsOf(data, child);
    return std::binary_search(parents.begin(), parents.end(), parent);
}

// The blood line, from `from` to the end less `after`, goes up parent by
// parent to the ancestors, who stand side by side, and down child by child.
bool followsTheFamily(const GedcomData& data, const Relationship& relation, std::size_t from,
                      std::size_t after)
{
    const std::vector<int>& line = relation.line;
    const std::size_t top = from + std::size_t(relation.up);
    const std::size_t bottom = top + relation.ancestors.size() - 1;
    const std::size_t end = bottom + 1 + std::size_t(relation.down);
    if (line.size() != end + after ||
        !std::equal(relation.ancestors.begin(), relation.ancestors.end(), line.begin() + long(top)))
        return false;
    for (std::size_t i = from; i < top; ++i)
        if (!isParent(data, line[i + 1], line[i]))
            return false;
    for (std::size_t i = bottom; i + 1 < end; ++i)
        if (!isParent(data, line[i], line[i + 1]))
            return false;
    return true;
}

std::vector<Relationship> sorted(std::vector<Relationship> relations)
{
    std::sort(relations.begin(), relations.end(),
              [](const Relationship& x, const Relationship& y) { return x.line < y.line; });
    return relations;
}

QByteArray pairName(unsigned seed, int a, int b)
{
    return "seed " + QByteArray::number(seed) + ": I" + QByteArray::number(a + 1) + " to I" +
           QByteArray::number(b + 1);
}

} // namespace

class RelationshipTest : public QObject {
    Q_OBJECT
private slots:
    // Every pair of every village: the nearest common ancestors and their
    // generations are the plain walk's, a couple's children share both
    // parents and a single ancestor's do not, the line follows the family,
    // and B to A is A to B read backwards.
    void everyPairAgainstPlainSearch()
    {
        int pairs = 0, byMarriage = 0, half = 0, twice = 0;
        for (unsigned seed = 1; seed <= 16; ++seed) {
            const GeneratedFamilies village = generateVillage({6, 4, 110, seed, seed % 2 == 0});
            const GedcomData data = dataOf(village.text);
            PlainSearch plain{data, {}};
            const int persons = int(data.persons.size());
            for (int a = 0; a < persons; ++a)
                for (int b = 0; b < persons; ++b) {
                    if (a == b)
                        continue;
                    const QByteArray row = pairName(seed, a, b);
                    const std::vector<Relationship> found = relationshipsOf(data, a, b);
                    std::vector<Relationship> backwards = relationshipsOf(data, b, a);
                    for (Relationship& relation : backwards)
                        relation = reversed(relation);
                    QVERIFY2(sorted(found) == sorted(backwards), row);

                    const std::set<int> nearest = plain.nearest(a, b);
                    std::set<int> seen;
                    bool blood = false;
                    for (const Relationship& relation : found) {
                        if (relation.kind == RelationKind::Spouses) {
                            QVERIFY2(married(data, a, b), row);
                            continue;
                        }
                        const bool byMarriageA = relation.kind == RelationKind::SpouseOfRelative;
                        const bool byMarriageB = relation.kind == RelationKind::RelativeOfSpouse;
                        QVERIFY2(followsTheFamily(data, relation, byMarriageA, byMarriageB), row);
                        QCOMPARE(relation.line.front(), a);
                        QCOMPARE(relation.line.back(), b);
                        if (byMarriageA || byMarriageB) {
                            ++byMarriage;
                            QVERIFY2(nearest.empty() && !married(data, a, b), row);
                            QVERIFY2(married(data, relation.inLaw, byMarriageA ? a : b), row);
                            QCOMPARE(relation.inLaw,
                                     relation.line[byMarriageA ? 1 : relation.line.size() - 2]);
                            continue;
                        }
                        blood = true;
                        for (const int ancestor : relation.ancestors) {
                            QVERIFY2(nearest.contains(ancestor), row);
                            seen.insert(ancestor);
                        }
                        // A couple's generations are through their own children.
                        const int up = plain.through(relation.ancestors, a);
                        const int down = plain.through(relation.ancestors, b);
                        QCOMPARE(relation.up, up);
                        QCOMPARE(relation.down, down);
                        if (relation.ancestors.size() == 2) {
                            QVERIFY2(married(data, relation.ancestors[0], relation.ancestors[1]),
                                     row);
                            QVERIFY2(!relation.half, row);
                        } else if (up > 0 && down > 0) {
                            QVERIFY2(relation.half != plain.whole(relation.ancestors[0], a, b),
                                     row);
                        }
                        half += relation.half;
                    }
                    QVERIFY2(seen == nearest, row);
                    QVERIFY2(blood == !nearest.empty(), row);
                    twice += blood && found.size() > (married(data, a, b) ? 2u : 1u);
                    ++pairs;
                }
        }
        // The villages hold every shape the search must tell apart.
        QVERIFY(byMarriage > 0 && half > 0 && twice > 0);
        qInfo("%d pairs, %d by marriage, %d half, %d related more than once", pairs, byMarriage,
              half, twice);
    }

    // A file whose persons are their own ancestors: every pair answers, both
    // ways alike, and a parent is a parent.
    void endsInLoops()
    {
        QFile file(QStringLiteral(STIRPA_TEST_DATA "/gedcom/hostile/loops.ged"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const GedcomData data = dataOf(file.readAll().toStdString());
        const int persons = int(data.persons.size());
        for (int a = 0; a < persons; ++a)
            for (int b = 0; b < persons; ++b) {
                std::vector<Relationship> backwards = relationshipsOf(data, b, a);
                for (Relationship& relation : backwards)
                    relation = reversed(relation);
                const std::vector<Relationship> found = relationshipsOf(data, a, b);
                QVERIFY(sorted(found) == sorted(backwards));
                if (a != b && data.isParent(a, b))
                    QVERIFY(std::any_of(found.begin(), found.end(), [](const Relationship& r) {
                        return r.kind == RelationKind::Blood && r.up == 0 && r.down == 1;
                    }));
            }
    }

    // Different relationships read differently, for each sex and language:
    // no two degrees or removals fall on one word (but a cousin removed reads
    // the same from either end).
    void termsTellRelationshipsApart()
    {
        for (const DateLanguage language : {DateLanguage::English, DateLanguage::German})
            for (const char sex : {'M', 'F', 'U'}) {
                std::map<std::string, QByteArray> terms;
                for (int up = 0; up <= 12; ++up)
                    for (int down = 0; down <= 12; ++down)
                        for (const bool half : {false, true}) {
                            // Cousins removed upwards and downwards read alike.
                            if ((up == 0 && down == 0) || (half && (up == 0 || down == 0)) ||
                                (up >= 2 && down >= 2 && up > down))
                                continue;
                            const std::string term = relationTerm(up, down, half, sex, language);
                            const QByteArray row = QByteArray::number(up) + " up " +
                                                   QByteArray::number(down) + " down" +
                                                   (half ? " half " : " ") + sex;
                            const auto [at, added] = terms.try_emplace(term, row);
                            QVERIFY2(added, row + " reads as " + at->second + ": " + term.c_str());
                        }
            }
    }

    void terms_data()
    {
        QTest::addColumn<int>("up");
        QTest::addColumn<int>("down");
        QTest::addColumn<bool>("half");
        QTest::addColumn<char>("sex");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("german");
        const auto row = [](const char* name, int up, int down, bool half, char sex,
                            const char* english, const char* german) {
            QTest::newRow(name) << up << down << half << sex << QString::fromUtf8(english)
                                << QString::fromUtf8(german);
        };
        row("mother", 0, 1, false, 'F', "mother", "Mutter");
        row("parent", 0, 1, false, 'U', "parent", "Elternteil");
        row("grandfather", 0, 2, false, 'M', "grandfather", "Großvater");
        row("1 great", 0, 3, false, 'F', "great-grandmother", "Urgroßmutter");
        row("2 greats", 0, 4, false, 'M', "great-great-grandfather", "Ururgroßvater");
        row("3 greats", 0, 5, false, 'F', "3rd great-grandmother", "3-fach-Urgroßmutter");
        row("11 greats", 0, 13, false, 'U', "11th great-grandparent", "11-fach-Urgroßelternteil");
        row("son", 1, 0, false, 'M', "son", "Sohn");
        row("grandchild", 2, 0, false, 'U', "grandchild", "Enkelkind");
        row("great-granddaughter", 3, 0, false, 'F', "great-granddaughter", "Urenkelin");
        row("sibling", 1, 1, false, 'U', "sibling", "Geschwister");
        row("half-sister", 1, 1, true, 'F', "half-sister", "Halbschwester");
        row("uncle", 1, 2, false, 'M', "uncle", "Onkel");
        row("uncle or aunt", 1, 2, false, 'U', "uncle or aunt", "Onkel oder Tante");
        row("great-aunt", 1, 3, false, 'F', "great-aunt", "Großtante");
        row("great-great-uncle", 1, 4, false, 'M', "great-great-uncle", "Urgroßonkel");
        row("half-aunt", 1, 2, true, 'F', "half-aunt", "Halbtante");
        row("nephew", 2, 1, false, 'M', "nephew", "Neffe");
        row("great-niece", 3, 1, false, 'F', "great-niece", "Großnichte");
        row("first cousin", 2, 2, false, 'F', "first cousin", "Cousine");
        row("cousin, sex unknown", 2, 2, false, 'U', "first cousin", "Cousin oder Cousine");
        row("half first cousin", 2, 2, true, 'M', "half first cousin", "Halbcousin");
        row("once removed", 2, 3, false, 'M', "first cousin once removed",
            "Cousin (1 Generation versetzt)");
        row("twice removed", 5, 3, false, 'F', "second cousin twice removed",
            "Cousine 2. Grades (2 Generationen versetzt)");
        row("three times removed", 4, 7, false, 'M', "third cousin three times removed",
            "Cousin 3. Grades (3 Generationen versetzt)");
        row("tenth", 11, 11, false, 'M', "tenth cousin", "Cousin 10. Grades");
        row("11th, 4 times", 12, 16, false, 'M', "11th cousin 4 times removed",
            "Cousin 11. Grades (4 Generationen versetzt)");
    }
    void terms()
    {
        QFETCH(int, up);
        QFETCH(int, down);
        QFETCH(bool, half);
        QFETCH(char, sex);
        QFETCH(QString, english);
        QFETCH(QString, german);
        QCOMPARE(QString::fromStdString(relationTerm(up, down, half, sex, DateLanguage::English)),
                 english);
        QCOMPARE(QString::fromStdString(relationTerm(up, down, half, sex, DateLanguage::German)),
                 german);
    }

    void sentences_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("up");
        QTest::addColumn<int>("down");
        QTest::addColumn<char>("sexA");
        QTest::addColumn<char>("sexInLaw");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("german");
        const auto row = [](const char* name, RelationKind kind, int up, int down, char sexA,
                            char sexInLaw, const char* english, const char* german) {
            QTest::newRow(name) << int(kind) << up << down << sexA << sexInLaw
                                << QString::fromUtf8(english) << QString::fromUtf8(german);
        };
        row("blood", RelationKind::Blood, 0, 2, 'F', 'U', "A is the grandmother of B",
            "A ist die Großmutter von B");
        row("blood, both sexes", RelationKind::Blood, 1, 2, 'U', 'U', "A is the uncle or aunt of B",
            "A ist der Onkel oder die Tante von B");
        row("spouses", RelationKind::Spouses, 0, 0, 'M', 'F', "A is the husband of B",
            "A ist der Ehemann von B");
        row("husband of a granddaughter", RelationKind::SpouseOfRelative, 2, 0, 'M', 'F',
            "A is the husband of a granddaughter of B", "A ist der Ehemann einer Enkelin von B");
        row("wife of the father", RelationKind::SpouseOfRelative, 0, 1, 'F', 'M',
            "A is the wife of the father of B", "A ist die Ehefrau des Vaters von B");
        row("wife of an uncle", RelationKind::SpouseOfRelative, 1, 2, 'F', 'M',
            "A is the wife of an uncle of B", "A ist die Ehefrau eines Onkels von B");
        row("spouse of a nephew", RelationKind::SpouseOfRelative, 2, 1, 'U', 'M',
            "A is the spouse of a nephew of B", "A ist der Ehepartner eines Neffen von B");
        row("husband of an eighth cousin", RelationKind::SpouseOfRelative, 9, 9, 'M', 'F',
            "A is the husband of an eighth cousin of B",
            "A ist der Ehemann einer Cousine 8. Grades von B");
        row("grandmother of the wife", RelationKind::RelativeOfSpouse, 0, 2, 'F', 'F',
            "A is the grandmother of the wife of B", "A ist die Großmutter der Ehefrau von B");
        row("child of the husband", RelationKind::RelativeOfSpouse, 1, 0, 'U', 'M',
            "A is the child of the husband of B", "A ist das Kind des Ehemanns von B");
    }
    void sentences()
    {
        QFETCH(int, kind);
        Relationship relation;
        relation.kind = RelationKind(kind);
        QFETCH(int, up);
        QFETCH(int, down);
        relation.up = up;
        relation.down = down;
        QFETCH(char, sexA);
        QFETCH(char, sexInLaw);
        QFETCH(QString, english);
        QFETCH(QString, german);
        QCOMPARE(QString::fromStdString(relationshipSentence(relation, sexA, sexInLaw, "A", "B",
                                                             DateLanguage::English)),
                 english);
        QCOMPARE(QString::fromStdString(relationshipSentence(relation, sexA, sexInLaw, "A", "B",
                                                             DateLanguage::German)),
                 german);
    }
};

QTEST_GUILESS_MAIN(RelationshipTest)
#include "relationship_test.moc"
