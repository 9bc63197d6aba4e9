// SPDX-License-Identifier: GPL-3.0-or-later
#include "family/book_update.h"

#include "chartfile/chart_reader.h"
#include "family/book_files.h"
#include "layout/book_plan.h"
#include "layout/box_colours.h"
#include "layout/family_link_options.h"
#include "layout/living_persons.h"
#include "layout/person_description.h"
#include "model/box_words.h"
#include "model/place_name.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <unordered_map>
#include <unordered_set>

namespace {

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

BookCharts otherBookCharts(const Chart& chart, const std::string& chartPath)
{
    const FamilyLink& link = chart.familyLink();
    BookCharts book;
    std::vector<BookMember>& members = book.members;
    if (link.inBook() && chartPath.empty()) {
        // Its other charts are found beside it only.
        return Result::failure(
            Result::Failed,
            STIRPA_TR_NOOP("Message",
                           "The chart of a book has no file; open it from its book to update."));
    }
    const std::optional<std::string> main =
        link.inBook() ? bookMainPath(chartPath, link.bookChart) : std::nullopt;
    if (!main)
        return book;
    for (const BookFile& file : bookFiles(*main, link.path, link.bookChart)) {
        ChartLoad load = readChartFile(file.path, TreeSettings());
        if (!load)
            return load;
        members.push_back({file.path, std::move(load.chart), {}});
    }
    return book;
}

namespace {

// Brings a book's charts to the book planned now: see updateBook.
class BookUpdater {
public:
    BookUpdater(std::vector<BookMember>& charts, const GedcomData& data,
                const ImportOptions& options, const ChartBookPlan& book)
        : charts_(charts),
          data_(data),
          options_(options),
          book_(book),
          living_(livingPersons(data, options)),
          inBook_(data.persons.size()),
          memberOf_(book.charts.size(), -1),
          own_(book.charts.size())
    {
    }

    BookUpdate run(std::size_t main);

private:
    void findLostCharts();
    void assignCharts();
    void unlabelLostCharts();
    std::vector<Result> lostChartNotes() const;
    bool isNewBranch(std::size_t planned) const;
    std::string nextSuffix(const std::string& above) const;
    std::vector<BoxLabel> labelsOf(std::size_t planned) const;
    void addChart(std::size_t planned, const std::string& suffix);
    Result makeChart(std::size_t planned, BookMember& member);

    std::vector<BookMember>& charts_;
    const GedcomData& data_;
    const ImportOptions& options_;
    const ChartBookPlan& book_;
    const std::vector<bool> living_;
    std::vector<bool> inBook_;
    std::vector<long> memberOf_; // by planned chart: the chart it goes to
    std::vector<bool> own_;      // by planned chart: whether that chart is its own
    std::vector<bool> made_;     // by chart: made by this update
    std::size_t main_ = 0;       // the main chart
    // Charts continuation boxes name that the book lacks, by suffix: the
    // person whose branch the box cuts and the chart the box is in.
    struct LostChart {
        std::string cut;
        std::size_t member;
    };
    std::map<std::string, LostChart> lost_;
};

// Whether no one of the planned branch but its root has a box in the book:
// then it is a chart of its own.
bool BookUpdater::isNewBranch(std::size_t planned) const
{
    const BookChart& chart = book_.charts[planned];
    // The first person of each of its own branches has a box in that chart too.
    std::unordered_set<int> branchRoots;
    for (const BookChart::Link& link : chart.links)
        branchRoots.insert(book_.charts[std::size_t(link.chart)].root);
    return std::none_of(chart.plan.begin(), chart.plan.end(), [&](const PlannedBox& box) {
        return box.person >= 0 && box.person != chart.root && inBook_[std::size_t(box.person)] &&
               !branchRoots.count(box.person);
    });
}

// The next branch chart's suffix below the chart `above`, by the continuation
// rule ("03" after "01" and "02") whose name no file has; empty when it
// would pass two digits.
std::string BookUpdater::nextSuffix(const std::string& above) const
{
    int last = 0;
    for (const BookMember& member : charts_) {
        const std::string& suffix = member.chart.familyLink().bookChart;
        if (suffix.size() == above.size() + 2 && suffix.starts_with(above))
            last = std::max(last, std::stoi(suffix.substr(above.size())));
    }
    for (int next = last + 1; next <= maxBranchCharts; ++next) {
        const std::string suffix = above + (next < 10 ? "0" : "") + std::to_string(next);
        // A file of that name is no chart of the book: the user's.
        std::error_code error;
        if (!std::filesystem::exists(
                std::filesystem::symlink_status(bookChartPath(charts_[main_].path, suffix), error)))
            return suffix;
    }
    return {};
}

// Continuation boxes name the chart their branch continues in, as it is named
// now; one whose branch went to the chart above was dropped from the plan.
std::vector<BoxLabel> BookUpdater::labelsOf(std::size_t planned) const
{
    std::vector<BoxLabel> labels = bookLabels(data_, book_, planned, options_.description, living_);
    for (BoxLabel& label : labels)
        for (const BookChart::Link& link : book_.charts[planned].links)
            if (link.box == label.box && own_[std::size_t(link.chart)]) {
                const std::string& suffix = charts_[std::size_t(memberOf_[std::size_t(link.chart)])]
                                                .chart.familyLink()
                                                .bookChart;
                label.text = label.text.substr(0, label.text.rfind('|') + 1) +
                             chartName(suffix, options_.description.dateLanguage);
            }
    return labels;
}

// A new chart for the planned branch, made by run() once every chart has its name.
void BookUpdater::addChart(std::size_t planned, const std::string& suffix)
{
    const BookChart& branch = book_.charts[planned];
    const BookMember& main = charts_[main_];
    FamilyLink link = main.chart.familyLink();
    link.root = std::string(data_.persons[std::size_t(branch.root)].xref);
    link.generations = branch.generations;
    link.bookChart = suffix;
    Chart chart;
    chart.setFamilyLink(std::move(link));
    charts_.push_back({bookChartPath(main.path, suffix), std::move(chart), {}});
    made_.push_back(true);
}

// The new chart of a branch, as an import of the book makes it; every
// person in it is new.
Result BookUpdater::makeChart(std::size_t planned, BookMember& member)
{
    ChartImport made = chartFromPlan(data_, book_.charts[planned].plan, options_,
                                     treeNameOf(member.path), labelsOf(planned), living_);
    if (!made)
        return made;
    made.chart.setFamilyLink(member.chart.familyLink());
    applySchemeColours(made.chart, data_);
    member.chart = std::move(made.chart);
    const Tree& tree = member.chart.tree();
    tree.forEachPerson([&](const Person* box) {
        const RecordLink* record = tree.records().find(box);
        if (box->kind() == BoxKind::Person && record)
            member.report.added.push_back(
                {displayName(data_.persons[std::size_t(data_.findPerson(record->xref))]),
                 record->xref, box->cell(), box, placeName(member.chart, box->cell()),
                 generationNumber(member.chart, box->level())});
    });
    return {};
}

// Each planned chart goes to the chart of the book that starts with its root;
// a branch no one of which is in the book yet, to a new chart; any other, to
// the chart its branch continues from.
void BookUpdater::assignCharts()
{
    std::unordered_map<int, std::size_t> memberOfRoot;
    for (std::size_t i = 0; i < charts_.size(); ++i)
        if (const int root = data_.findPerson(charts_[i].chart.familyLink().root); root >= 0)
            memberOfRoot.emplace(root, i);
    std::unordered_map<std::string, std::size_t> plannedBySuffix;
    for (std::size_t k = 0; k < book_.charts.size(); ++k) {
        const BookChart& planned = book_.charts[k];
        plannedBySuffix.emplace(planned.suffix, k);
        if (const auto found = memberOfRoot.find(planned.root); found != memberOfRoot.end()) {
            memberOf_[k] = long(found->second);
            own_[k] = true;
            continue;
        }
        if (k == 0) {
            memberOf_[k] = long(main_);
            continue;
        }
        // Charts come before their branches: the one above has its chart.
        const std::size_t above =
            plannedBySuffix.at(planned.suffix.substr(0, planned.suffix.size() - 2));
        memberOf_[k] = memberOf_[above];
        if (!own_[above] || !isNewBranch(k))
            continue;
        const std::string suffix =
            nextSuffix(charts_[std::size_t(memberOf_[above])].chart.familyLink().bookChart);
        if (!suffix.empty()) {
            addChart(k, suffix);
            memberOf_[k] = long(charts_.size() - 1);
            own_[k] = true;
        }
    }
}

// The charts continuation boxes name that are not in the book.
void BookUpdater::findLostCharts()
{
    std::unordered_set<std::string> suffixes;
    for (const BookMember& member : charts_)
        suffixes.insert(member.chart.familyLink().bookChart);
    for (std::size_t i = 0; i < charts_.size(); ++i) {
        const Tree& tree = charts_[i].chart.tree();
        tree.forEachPerson([&](const Person* box) {
            const std::string suffix(labelledChart(box->text));
            const RecordLink* record = tree.records().find(box);
            if (box->kind() == BoxKind::Continuation && !suffix.empty() && !suffixes.count(suffix))
                lost_.emplace(suffix, LostChart{record ? record->xref : std::string(), i});
        });
    }
}

// A continuation box still naming a chart the book lacks (its branch taken
// in by a chart) names none.
void BookUpdater::unlabelLostCharts()
{
    std::unordered_set<std::string> suffixes;
    for (const BookMember& member : charts_)
        suffixes.insert(member.chart.familyLink().bookChart);
    for (BookMember& member : charts_) {
        Tree& tree = member.chart.mutableTree();
        tree.forEachPerson([&](Person* box) {
            const std::string_view suffix = labelledChart(box->text);
            if (box->kind() != BoxKind::Continuation || suffix.empty() ||
                suffixes.count(std::string(suffix)))
                return;
            RecordLink* record = tree.mutableRecords().find(box);
            const bool fileText = hasFileText(*box, record);
            box->text.erase(box->text.rfind('|'));
            if (fileText)
                record->fingerprint = textFingerprint(box->text);
            ++member.report.continuations;
        });
    }
}

std::vector<Result> BookUpdater::lostChartNotes() const
{
    std::unordered_map<int, std::size_t> plannedOfRoot;
    for (std::size_t k = 1; k < book_.charts.size(); ++k)
        plannedOfRoot.emplace(book_.charts[k].root, k);
    std::vector<Result> notes;
    for (const auto& [suffix, lost] : lost_) {
        // Where the branch is now: a chart of its own, else the chart that cut it.
        const auto planned = plannedOfRoot.find(data_.findPerson(lost.cut));
        const std::size_t now =
            planned == plannedOfRoot.end() ? lost.member : std::size_t(memberOf_[planned->second]);
        const std::string path = bookChartPath(charts_[main_].path, suffix);
        std::error_code error;
        notes.push_back(Result::note(
            std::filesystem::exists(std::filesystem::symlink_status(path, error))
                ? STIRPA_TR_NOOP("Message", "%1 is no chart of this book; its branch is in %2.")
                : STIRPA_TR_NOOP("Message", "%1 is missing from the book; its branch is in %2."),
            {path, charts_[now].path}));
    }
    return notes;
}

BookUpdate BookUpdater::run(std::size_t main)
{
    main_ = main;
    made_.assign(charts_.size(), false);
    for (const BookMember& member : charts_)
        markPersons(member.chart, data_, inBook_);
    findLostCharts();
    assignCharts();
    std::vector<ChartTarget> targets(charts_.size());
    for (std::size_t k = 0; k < book_.charts.size(); ++k) {
        const BookChart& planned = book_.charts[k];
        const std::size_t member = std::size_t(memberOf_[k]);
        if (made_[member]) {
            if (const Result made = makeChart(k, charts_[member]); !made)
                return made;
            continue;
        }
        std::vector<PlannedBox> plan = planned.plan;
        std::vector<std::string> texts =
            plannedTexts(data_, plan, options_.description, labelsOf(k), living_);
        // A branch taken in by this chart is cut here no more.
        std::vector<bool> uncut(plan.size());
        for (const BookChart::Link& link : planned.links)
            uncut[std::size_t(link.box)] = !own_[std::size_t(link.chart)];
        std::size_t kept = 0;
        for (std::size_t i = 0; i < plan.size(); ++i)
            if (!uncut[i] && kept++ != i) {
                plan[kept - 1] = plan[i];
                texts[kept - 1] = std::move(texts[i]);
            }
        plan.resize(kept);
        texts.resize(kept);
        targets[member].append(std::move(plan), std::move(texts));
    }
    for (std::size_t i = 0; i < charts_.size(); ++i)
        if (made_[i])
            markPersons(charts_[i].chart, data_, inBook_);
    // Charts that start no branch of the book any more are brought to their
    // own root's family, after the others have taken in their new persons.
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < charts_.size(); ++i)
        if (!made_[i] && !targets[i].boxes.empty())
            order.push_back(i);
    for (std::size_t i = 0; i < charts_.size(); ++i)
        if (!made_[i] && targets[i].boxes.empty()) {
            ImportOptions alone = importOptionsOf(charts_[i].chart.familyLink(), data_);
            alone.today = options_.today;
            if (alone.layout.root >= 0) {
                targets[i] = chartTarget(data_, alone);
                order.push_back(i);
            }
        }
    for (const std::size_t i : order) {
        ChartTarget& target = targets[i];
        target.description = options_.description;
        target.living = living_;
        target.elsewhere = std::cref(inBook_);
        charts_[i].report = updateChart(charts_[i].chart, data_, std::move(target));
        markPersons(charts_[i].chart, data_, inBook_);
    }
    unlabelLostCharts();
    BookUpdate update;
    update.notes = lostChartNotes();
    return update;
}

} // namespace

BookUpdate updateBook(std::vector<BookMember>& charts, const GedcomData& data,
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
    if (Result root = checkRoot(data, options.layout.root, mainLink); !root)
        return root;
    const ChartBookPlan book = planBook(data, options.layout, mainLink.bookColumns);
    if (!book)
        return book;
    return BookUpdater(charts, data, options, book).run(std::size_t(main - charts.begin()));
}
