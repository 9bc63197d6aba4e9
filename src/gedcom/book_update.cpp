// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/book_update.h"

#include "base/byte_text.h"
#include "chartfile/chart_reader.h"
#include "gedcom/book_files.h"
#include "gedcom/chart_book.h"
#include "gedcom/family_link_options.h"
#include "gedcom/living_persons.h"

#include <algorithm>
#include <filesystem>
#include <unordered_map>

namespace {

// The path's stem and extension apart, as bookChartPath splits them.
struct PathParts {
    std::string folder;
    std::string stem;
    std::string extension;
};
PathParts pathParts(const std::string& path)
{
    const std::filesystem::path p(path);
    const std::string name(fileNamePart(path));
    const std::size_t dot = name.rfind('.');
    const std::size_t stem = dot == std::string::npos || dot == 0 ? name.size() : dot;
    return {p.parent_path().string(), name.substr(0, stem), name.substr(stem)};
}

bool isSuffix(std::string_view text)
{
    return text.size() % 2 == 0 && text.find_first_not_of("0123456789") == text.npos;
}

// Marks the persons of the chart's linked person boxes.
void markPersons(const Chart& chart, const GedcomData& data, std::vector<bool>& marked)
{
    chart.tree().forEachPerson([&](const Person* box) {
        const RecordLink* record = chart.tree().records().find(box);
        if (box->kind() != BoxKind::Person || !record)
            return;
        if (const int person = data.findPerson(record->xref); person >= 0)
            marked[std::size_t(person)] = true;
    });
}

} // namespace

std::vector<BookMember> otherBookCharts(const Chart& chart, const std::string& chartPath)
{
    const FamilyLink& link = chart.familyLink();
    std::vector<BookMember> members;
    PathParts parts = pathParts(chartPath);
    if (!link.inBook() || !parts.stem.ends_with(link.bookChart))
        return members;
    const std::string stem = parts.stem.substr(0, parts.stem.size() - link.bookChart.size());
    std::error_code error;
    const std::filesystem::path folder = parts.folder.empty() ? "." : parts.folder;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        // Symbolic links are no chart of the book: it writes only its own files.
        if (!entry.is_regular_file(error) || entry.is_symlink(error) ||
            name.size() < stem.size() + parts.extension.size() || !name.starts_with(stem) ||
            !name.ends_with(parts.extension))
            continue;
        const std::string suffix =
            name.substr(stem.size(), name.size() - stem.size() - parts.extension.size());
        if (suffix == link.bookChart || !isSuffix(suffix))
            continue;
        const std::string path = entry.path().string();
        const FamilyLink other = peekFamilyLink(path);
        if (!other.inBook() || other.bookChart != suffix || other.path != link.path)
            continue;
        ChartLoad load = readChartFile(path, TreeSettings());
        if (load)
            members.push_back({path, std::move(load.chart), {}});
    }
    std::sort(members.begin(), members.end(), [](const BookMember& a, const BookMember& b) {
        return a.chart.familyLink().bookChart < b.chart.familyLink().bookChart;
    });
    return members;
}

Result updateBook(std::vector<BookMember>& charts, const GedcomData& data,
                  const CalendarDate& today)
{
    const auto main = std::find_if(charts.begin(), charts.end(), [](const BookMember& member) {
        return member.chart.familyLink().bookChart.empty();
    });
    if (main == charts.end())
        return Result::failure(
            Result::Failed,
            STIRPA_TR_NOOP("Message", "The book's main chart is not beside this chart."));
    const FamilyLink& mainLink = main->chart.familyLink();
    ImportOptions options = importOptionsOf(mainLink, data);
    options.today = today;
    if (options.layout.root < 0)
        return Result::failure(
            Result::Failed,
            STIRPA_TR_NOOP("Message", "The family file has no person %1, the chart's root."),
            {mainLink.root});
    const ChartBookPlan book = planBook(data, options.layout, mainLink.bookColumns);
    if (!book)
        return book;

    // Each planned chart goes to the chart of the book that starts with its
    // root; a branch without one, to the chart its branch continues from.
    std::unordered_map<int, std::size_t> memberOfRoot;
    for (std::size_t i = 0; i < charts.size(); ++i) {
        const FamilyLink& link = charts[i].chart.familyLink();
        if (const int root = data.findPerson(link.root); root >= 0)
            memberOfRoot.emplace(root, i);
    }
    std::unordered_map<std::string, std::size_t> plannedBySuffix;
    std::vector<long> memberOf(book.charts.size(), -1);
    std::vector<bool> own(book.charts.size());
    for (std::size_t k = 0; k < book.charts.size(); ++k) {
        const BookChart& planned = book.charts[k];
        plannedBySuffix.emplace(planned.suffix, k);
        if (const auto found = memberOfRoot.find(planned.root); found != memberOfRoot.end()) {
            memberOf[k] = long(found->second);
            own[k] = true;
        } else if (k > 0) {
            // Charts come before their branches: the one above is placed.
            memberOf[k] = memberOf[plannedBySuffix.at(
                planned.suffix.substr(0, planned.suffix.size() - 2))];
        } else {
            memberOf[k] = main - charts.begin();
        }
    }
    std::vector<ChartTarget> targets(charts.size());
    const std::vector<bool> living = livingPersons(data, options);
    for (std::size_t k = 0; k < book.charts.size(); ++k) {
        const BookChart& planned = book.charts[k];
        // Continuation boxes name the charts their branches continue in; one
        // whose branch has no chart yet tells its count instead.
        std::vector<BoxLabel> labels = bookLabels(data, book, k, options.description, living);
        std::erase_if(labels, [&](const BoxLabel& label) {
            for (const BookChart::Link& link : planned.links)
                if (link.box == label.box)
                    return !own[std::size_t(link.chart)];
            return false;
        });
        for (BoxLabel& label : labels)
            for (const BookChart::Link& link : planned.links)
                if (link.box == label.box) {
                    const FamilyLink& target =
                        charts[std::size_t(memberOf[std::size_t(link.chart)])].chart.familyLink();
                    label.text = label.text.substr(0, label.text.rfind('|') + 1) + "chart " +
                                 target.bookChart;
                }
        ChartTarget& target = targets[std::size_t(memberOf[k])];
        target.append(planned.plan,
                      plannedTexts(data, planned.plan, options.description, labels, living));
    }
    std::vector<bool> inBook(data.persons.size());
    for (const BookMember& member : charts)
        markPersons(member.chart, data, inBook);
    // Charts that start no branch of the book any more are brought to their
    // own root's family, after the others have taken in their new persons.
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < charts.size(); ++i)
        if (!targets[i].plan.empty())
            order.push_back(i);
    for (std::size_t i = 0; i < charts.size(); ++i)
        if (targets[i].plan.empty()) {
            ImportOptions alone = importOptionsOf(charts[i].chart.familyLink(), data);
            alone.today = today;
            if (alone.layout.root >= 0) {
                targets[i] = chartTarget(data, alone);
                order.push_back(i);
            }
        }
    for (const std::size_t i : order) {
        ChartTarget& target = targets[i];
        target.description = options.description;
        target.living = living;
        target.elsewhere = &inBook;
        charts[i].report = updateChart(charts[i].chart, data, target);
        markPersons(charts[i].chart, data, inBook);
    }
    return {};
}
