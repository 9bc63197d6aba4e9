// SPDX-License-Identifier: GPL-3.0-or-later
// How two persons are related, in a generated village of 1,000,000 persons
// (second marriages, cousins who married, in-laws from outside): the file
// read, then relationships of random pairs of the youngest generation (the
// most ancestors), of pairs with no common ancestor (both whole ancestries
// and the spouses' searched) and of persons with the eldest, and `stirpa
// --relate` as a whole. Prints the times; the goal is 1 s for the search,
// which --relate adds to reading the file.
#include "gedcom_generator.h"

#include "app/command/relate_batch.h"
#include "family/relationship.h"
#include "gedcom/gedcom_reader.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>

namespace {

double secondsOf(const std::function<void()>& run)
{
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

struct Spread {
    std::vector<double> times;
    std::size_t relationships = 0;
};

void printSpread(const char* what, Spread spread)
{
    std::sort(spread.times.begin(), spread.times.end());
    const auto at = [&](double share) {
        return spread.times[std::size_t(share * double(spread.times.size() - 1))] * 1000;
    };
    std::printf("%-44s %5zu pairs, %6zu relationships: median %.3f ms, 99 %% %.3f ms, "
                "slowest %.3f ms\n",
                what, spread.times.size(), spread.relationships, at(0.5), at(0.99), at(1.0));
}

} // namespace

int main(int argc, char* argv[])
{
    const int persons = argc > 1 ? std::atoi(argv[1]) : 1000000;
    GeneratedFamilies village;
    const double made = secondsOf([&] {
        village = generateVillage({.generations = 40,
                                   .founders = std::max(10, persons / 20000),
                                   .maxPersons = persons,
                                   .seed = 7,
                                   .singleWomenWait = true});
    });
    std::printf("village of %d persons, %.1f MB, made in %.2f s\n", village.persons,
                double(village.text.size()) / 1e6, made);
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / "stirpa_relate_bench.ged";
    std::ofstream(file, std::ios::binary) << village.text;

    GedcomData data;
    const double read = secondsOf([&] { data = readGedcom(std::move(village.text)).data; });
    std::printf("%-44s %.3f s\n", "file read", read);

    // The youngest have the most ancestors; the eldest are the founders.
    const int count = int(data.persons.size());
    std::mt19937 random(1);
    const auto youngest = [&] { return count - 1 - int(random() % unsigned(count / 20)); };
    const auto eldest = [&] { return int(random() % 200); };
    Spread young, unrelated, elder;
    for (int i = 0; i < 2000; ++i) {
        const int a = youngest(), b = youngest();
        std::vector<Relationship> found;
        const double time = secondsOf([&] { found = relationshipsOf(data, a, b); });
        Spread& spread =
            found.empty() || found.front().kind != RelationKind::Blood ? unrelated : young;
        spread.times.push_back(time);
        spread.relationships += found.size();
        const int c = eldest();
        elder.times.push_back(secondsOf([&] { found = relationshipsOf(data, a, c); }));
        elder.relationships += found.size();
    }
    printSpread("youngest, related by blood", young);
    if (!unrelated.times.empty())
        printSpread("youngest, by marriage or not related", unrelated);
    printSpread("youngest with one of the eldest", elder);

    // The whole command: reading the file, finding the persons by id, the search, the words.
    std::ostringstream out, err;
    const std::string a = "I" + std::to_string(count), b = "I" + std::to_string(count - 7);
    const double command = secondsOf([&] {
        relateCommand({file.string(), a, b}, {out, err}, DateLanguage::English);
    });
    const std::string printed = out.str();
    std::printf("%-44s %.3f s, of it the file read above; %s\n",
                ("stirpa --relate FILE " + a + " " + b).c_str(), command,
                printed.substr(0, printed.find('\n')).c_str());
    std::filesystem::remove(file);
    return 0;
}
