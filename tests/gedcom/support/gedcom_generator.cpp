// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom_generator.h"

#include <algorithm>
#include <deque>
#include <random>

namespace {

struct Person {
    char sex = 'M';
    int born = 1800;
    std::vector<int> childOf;
    std::vector<int> spouseIn;
};

struct Family {
    int husband = -1;
    int wife = -1;
    std::vector<int> children;
};

class Builder {
public:
    int person(char sex, int born)
    {
        persons_.push_back({sex, born, {}, {}});
        return int(persons_.size()) - 1;
    }
    int family(int husband, int wife)
    {
        families_.push_back({husband, wife, {}});
        const int f = int(families_.size()) - 1;
        for (const int p : {husband, wife})
            if (p >= 0)
                persons_[std::size_t(p)].spouseIn.push_back(f);
        return f;
    }
    void addChild(int f, int child)
    {
        families_[std::size_t(f)].children.push_back(child);
        persons_[std::size_t(child)].childOf.push_back(f);
    }
    int count() const { return int(persons_.size()); }

    GeneratedFamilies finish(const std::set<int>& inLaws) const;

private:
    std::vector<Person> persons_;
    std::vector<Family> families_;
};

std::string nameOf(int person)
{
    return "Given" + std::to_string(person + 1) + " Surname" + std::to_string(person + 1);
}

GeneratedFamilies Builder::finish(const std::set<int>& inLaws) const
{
    GeneratedFamilies out;
    out.persons = count();
    std::string& text = out.text;
    text = "0 HEAD\n1 GEDC\n2 VERS 5.5.1\n1 CHAR UTF-8\n";
    for (std::size_t p = 0; p < persons_.size(); ++p) {
        const Person& person = persons_[p];
        const std::string n = std::to_string(p + 1);
        text += "0 @I" + n + "@ INDI\n1 NAME Given" + n + " /Surname" + n + "/\n1 SEX ";
        text += person.sex;
        text += "\n1 BIRT\n2 DATE " + std::to_string(1 + p % 28) + " MAR " +
                std::to_string(person.born) + "\n2 PLAC Town" + std::to_string(p % 97) +
                ", Shire, Land\n";
        if (p % 3 == 0)
            text += "1 DEAT\n2 DATE " + std::to_string(person.born + 70) + "\n";
        for (const int f : person.childOf)
            text += "1 FAMC @F" + std::to_string(f + 1) + "@\n";
        for (const int f : person.spouseIn)
            text += "1 FAMS @F" + std::to_string(f + 1) + "@\n";
        std::vector<std::string>& parents = out.parentsOf[nameOf(int(p))];
        for (const int f : person.childOf)
            for (const int parent :
                 {families_[std::size_t(f)].husband, families_[std::size_t(f)].wife})
                if (parent >= 0)
                    parents.push_back(nameOf(parent));
    }
    for (std::size_t f = 0; f < families_.size(); ++f) {
        const Family& family = families_[f];
        text += "0 @F" + std::to_string(f + 1) + "@ FAM\n";
        if (family.husband >= 0)
            text += "1 HUSB @I" + std::to_string(family.husband + 1) + "@\n";
        if (family.wife >= 0)
            text += "1 WIFE @I" + std::to_string(family.wife + 1) + "@\n";
        for (const int child : family.children)
            text += "1 CHIL @I" + std::to_string(child + 1) + "@\n";
        text += "1 MARR\n2 DATE 1 MAY " + std::to_string(1820 + int(f % 100)) + "\n";
    }
    text += "0 TRLR\n";
    for (const int p : inLaws)
        out.inLaws.insert(nameOf(p));
    return out;
}

// The person's descendants over the shape's generations, the person's own
// counted, each married to a person from outside (added to inLaws).
void addDescendants(Builder& builder, int root, const DescendantShape& shape, std::set<int>& inLaws)
{
    std::mt19937 random(shape.seed);
    std::deque<std::pair<int, int>> queue{{root, 1}};
    int lastFamily = -1;
    int descendantCount = 0;
    while (!queue.empty()) {
        const auto [person, generation] = queue.front();
        queue.pop_front();
        if (generation >= shape.generations)
            continue;
        ++descendantCount;
        const bool often = shape.marriagesEvery > 0 && descendantCount % shape.marriagesEvery == 0;
        const int born = 1800 + 25 * generation;
        for (int m = 0; m < (often ? 3 : 1) && builder.count() < shape.maxPersons; ++m) {
            const int spouse = builder.person('F', born - 25);
            inLaws.insert(spouse);
            const int f = builder.family(person, spouse);
            lastFamily = f;
            const int least = generation < 3 ? 1 : 0;
            const int children = least + int(random() % unsigned(shape.maxChildren - least + 1));
            for (int c = 0; c < children && builder.count() < shape.maxPersons; ++c) {
                const int child = builder.person(c % 2 ? 'F' : 'M', born + c);
                builder.addChild(f, child);
                queue.emplace_back(child, generation + 1);
            }
        }
    }
    if (shape.rootIsOwnDescendant && lastFamily >= 0)
        builder.addChild(lastFamily, root);
}

// The person's ancestors over the generations, the person's own counted.
void addPedigree(Builder& builder, int root, int generations, int missingEvery)
{
    std::deque<std::pair<int, int>> queue{{root, 1}};
    while (!queue.empty()) {
        const auto [person, generation] = queue.front();
        queue.pop_front();
        if (generation >= generations || (missingEvery > 0 && (person + 1) % missingEvery == 0))
            continue;
        const int born = 1950 - 25 * generation;
        const int father = builder.person('M', born);
        const int mother = builder.person('F', born + 2);
        builder.addChild(builder.family(father, mother), person);
        queue.emplace_back(father, generation + 1);
        queue.emplace_back(mother, generation + 1);
    }
}

} // namespace

GeneratedFamilies generateDescendants(const DescendantShape& shape)
{
    Builder builder;
    std::set<int> inLaws;
    addDescendants(builder, builder.person('M', 1800), shape, inLaws);
    return builder.finish(inLaws);
}

GeneratedFamilies generatePedigree(int generations, int missingEvery)
{
    Builder builder;
    addPedigree(builder, builder.person('M', 1950), generations, missingEvery);
    return builder.finish({});
}

GeneratedFamilies generateHourglass(int generationsUp, int missingEvery,
                                    const DescendantShape& down)
{
    Builder builder;
    std::set<int> inLaws;
    const int root = builder.person('M', 1800);
    addDescendants(builder, root, down, inLaws);
    addPedigree(builder, root, generationsUp, missingEvery);
    return builder.finish(inLaws);
}

namespace {

// Few families have none or a dozen children; most have one to four.
int childCount(std::mt19937& random)
{
    const unsigned draw = random() % 100;
    if (draw < 20)
        return 0;
    if (draw < 70)
        return 1 + int(random() % 4);
    if (draw < 92)
        return 5 + int(random() % 4);
    return 9 + int(random() % 5);
}

} // namespace

GeneratedFamilies generateVillage(const VillageShape& shape)
{
    Builder builder;
    std::mt19937 random(shape.seed);
    std::set<int> outsiders;
    std::vector<int> families;
    std::vector<int> waiting; // women of the generation before, still single
    for (int f = 0; f < shape.founders; ++f)
        families.push_back(builder.family(builder.person('M', 1700), builder.person('F', 1702)));
    for (int g = 1; g < shape.generations && builder.count() < shape.maxPersons; ++g) {
        const int born = 1700 + 28 * g;
        std::vector<int> men, women;
        std::vector<int> familyOf;
        for (const int f : families)
            for (int c = childCount(random); c > 0 && builder.count() < shape.maxPersons; --c) {
                const char sex = random() % 2 ? 'M' : 'F';
                const int child = builder.person(sex, born + c);
                builder.addChild(f, child);
                familyOf.resize(std::size_t(builder.count()), -1);
                familyOf[std::size_t(child)] = f;
                (sex == 'M' ? men : women).push_back(child);
            }
        women.insert(women.end(), waiting.begin(), waiting.end());
        waiting.clear();
        std::shuffle(men.begin(), men.end(), random);
        std::shuffle(women.begin(), women.end(), random);
        families.clear();
        std::size_t nextWoman = 0;
        auto marryOutsider = [&](int person, char sex) {
            const int outsider = builder.person(sex == 'M' ? 'F' : 'M', born);
            outsiders.insert(outsider);
            families.push_back(sex == 'M' ? builder.family(person, outsider)
                                          : builder.family(outsider, person));
        };
        for (std::size_t m = 0; m < men.size() && builder.count() < shape.maxPersons; ++m) {
            const int man = men[m];
            const unsigned draw = random() % 100;
            if (draw < 15)
                continue;
            // Brothers and sisters never marry; cousins do when the draw brings them together.
            if (draw < 75 && nextWoman < women.size() &&
                familyOf[std::size_t(women[nextWoman])] != familyOf[std::size_t(man)])
                families.push_back(builder.family(man, women[nextWoman++]));
            else
                marryOutsider(man, 'M');
            if (m % 7 == 3)
                marryOutsider(man, 'M');
        }
        for (; nextWoman < women.size() && builder.count() < shape.maxPersons; ++nextWoman)
            if (random() % 2 != 0)
                marryOutsider(women[nextWoman], 'F');
            else if (shape.singleWomenWait)
                waiting.push_back(women[nextWoman]);
    }
    return builder.finish(outsiders);
}
