// SPDX-License-Identifier: GPL-3.0-or-later
#include "family/update_road.h"

#include "base/byte_text.h"
#include "base/parallel.h"
#include "base/regular_file.h"
#include "chartfile/chart_reader.h"
#include "chartfile/chart_writer.h"
#include "family/book_files.h"
#include "family/book_update.h"
#include "family/family_check.h"
#include "files/atomic_file_set.h"
#include "gedcom/character_set.h"
#include "gedcom/file_fingerprint.h"
#include "gedcom/gedcom_reader.h"

#include <optional>

namespace {

FamilyUpdate upToDate(Chart chart, const std::string& chartPath)
{
    FamilyUpdate update;
    update.upToDate = true;
    update.charts.push_back({chartPath, std::move(chart), {}});
    return update;
}

// The update from a family file read; load is let go as soon as it is used.
// shownPath names the family file as the user gave it.
FamilyUpdate updateFrom(Chart chart, const std::string& chartPath, const std::string& familyPath,
                        const std::string& shownPath, GedcomLoad load, const CalendarDate& today,
                        std::optional<ChartTables> tables = std::nullopt)
{
    if (!load)
        return load;
    FamilyUpdate update;
    if (const Result note = characterSetNote(load.data.characterSet); *note.pattern)
        update.notes.push_back(familyPath + ": " + note.message());
    for (const std::string& warning : load.data.warnings)
        update.notes.push_back(familyPath + ": " + warning);
    if (Result persons = checkHoldsPersons(load.data, familyPath); !persons)
        return persons;
    const FamilyLink link = chart.familyLink();
    if (link.path == familyPath && tookInBytes(link, load.data.fileFingerprint)) {
        FamilyUpdate same = upToDate(std::move(chart), chartPath);
        same.notes = std::move(update.notes);
        return same;
    }
    std::vector<BookMember> members;
    if (link.inBook()) {
        BookCharts others = otherBookCharts(chart, chartPath);
        if (!others)
            return others;
        members = std::move(others.members);
    }
    members.insert(members.begin(), {chartPath, std::move(chart), {}});
    std::vector<const Chart*> charts;
    for (const BookMember& member : members)
        charts.push_back(&member.chart);
    // Nothing is changed before the file is known to hold the charts' persons.
    const FamilyCheck check = checkFamily(charts, load.data, shownPath);
    if (!check)
        return check;
    if (check.renumbers()) {
        // Only the numbers change: what else the file changes, the next update shows.
        for (BookMember& member : members)
            renumberChart(member.chart, check.renumbering, member.report);
    } else if (link.inBook()) {
        BookUpdate done = updateBook(members, load.data, today);
        if (!done)
            return done;
        update.lostCharts = std::move(done.notes);
    } else {
        ChartUpdate one = updateChart(members.front().chart, load.data, today, std::move(tables));
        if (!one)
            return one;
        members.front().report = std::move(one.report);
    }
    for (BookMember& member : members) {
        // The file read is the family file from now on; a chart that the
        // file does not change is left as it is, byte for byte.
        const bool changed = member.report.changesChart() || link.path != familyPath;
        if (changed) {
            FamilyLink after = member.chart.familyLink();
            after.path = familyPath;
            // Renumbered, the chart has not taken in the file's persons yet.
            after.fileFingerprint = check.renumbers() ? 0 : load.data.fileFingerprint;
            member.chart.setFamilyLink(std::move(after));
        }
        update.charts.push_back(
            {std::move(member.path), std::move(member.chart), std::move(member.report), changed});
    }
    return update;
}

} // namespace

bool FamilyUpdate::changesCharts() const
{
    for (const UpdatedChart& chart : charts)
        if (chart.report.changesChart())
            return true;
    return false;
}

FamilyUpdate updateFromFamilyFile(Chart chart, const std::string& chartPath,
                                  const std::string& familyPath, const CalendarDate& today,
                                  const std::string& shownPath)
{
    const FamilyLink& link = chart.familyLink();
    if (!link.linked())
        return notLinked();
    if (link.path == familyPath && familyFileUnchanged(link, familyPath))
        return upToDate(std::move(chart), chartPath);
    return updateFrom(std::move(chart), chartPath, familyPath,
                      shownPath.empty() ? familyPath : shownPath, readGedcomFile(familyPath),
                      today);
}

FamilyUpdate updateChartFile(const std::string& chartPath, const std::string& familyPath,
                             const CalendarDate& today, const std::string& shownPath)
{
    // The chart and the family file are read at once; the family file is read
    // as GEDCOM unless it holds the bytes the chart's header tells it took in.
    const FamilyLink promised = peekFamilyLink(chartPath);
    // While the family file is read, the chart's tables for a chart alone are made.
    const bool readFamily =
        promised.path != familyPath || !familyFileUnchanged(promised, familyPath);
    ChartLoad load;
    std::optional<GedcomLoad> read;
    std::optional<ChartTables> tables;
    runInParallel(2, [&](std::size_t task) {
        if (task == 1) {
            if (readFamily)
                read = readGedcomFile(familyPath);
            return;
        }
        load = readChartFile(chartPath, TreeSettings());
        if (load && readFamily && !load.chart.familyLink().inBook())
            tables = chartTables(load.chart.tree());
    });
    if (!load)
        return load;
    const FamilyLink& link = load.chart.familyLink();
    if (!link.linked())
        return notLinked();
    if (!read && link == promised)
        return upToDate(std::move(load.chart), chartPath);
    return updateFrom(
        std::move(load.chart), chartPath, familyPath, shownPath.empty() ? familyPath : shownPath,
        read ? std::move(*read) : readGedcomFile(familyPath), today, std::move(tables));
}

Result saveUpdate(const FamilyUpdate& update, const std::string& outPath, bool fromSecond)
{
    if (update.charts.empty())
        return {};
    const UpdatedChart& first = update.charts.front();
    // A book is written under the name of OUT, each chart by its suffix.
    const std::string& suffix = first.chart.familyLink().bookChart;
    const std::optional<std::string> main = bookMainPath(outPath, suffix);
    if (!main)
        return Result::failure(Result::Failed,
                               STIRPA_TR_NOOP("Message",
                                              "The charts of a book are named after its main "
                                              "chart: the name of %1 must end in %2."),
                               {outPath, suffix});
    AtomicFileSet files(update.charts.size() > 1 ? AtomicFileSet::Journaling::FromFirstFile
                                                 : AtomicFileSet::Journaling::FromSecondFile);
    for (std::size_t i = fromSecond ? 1 : 0; i < update.charts.size(); ++i) {
        const UpdatedChart& chart = update.charts[i];
        const std::string path =
            i == 0 ? outPath : bookChartPath(*main, chart.chart.familyLink().bookChart);
        if (!chart.changed && sameFile(path, chart.path))
            continue;
        if (const Result saved = saveChartFile(files, path, chart.chart); !saved)
            return saved;
    }
    return files.commit();
}

std::string updateReportText(const FamilyUpdate& update)
{
    std::string lost;
    for (const Result& note : update.lostCharts)
        lost += note.message() + '\n';
    if (update.charts.size() == 1)
        return lost + updateReportText(update.charts.front().report);
    std::string text;
    for (const UpdatedChart& chart : update.charts) {
        const ChartUpdateReport& report = chart.report;
        if (report.changesChart() || !report.kept.empty() || !report.removed.empty() ||
            !report.reparented.empty() || !report.unplaced.empty())
            text += std::string(fileNamePart(chart.path)) + ":\n" + updateReportText(report);
    }
    return lost + (text.empty() ? updateReportText(ChartUpdateReport()) : text);
}

UpdateRoad::UpdateRoad(UpdateTarget target)
    : target_(std::move(target)),
      output_(target_.outPath, {target_.familyPath}, target_.replace, {target_.chartPath})
{
}

FamilyUpdate UpdateRoad::read(const CalendarDate& today) const
{
    if (!ready())
        return ready();
    return updateChartFile(target_.chartPath, target_.linkPath, today, target_.familyPath);
}

Result UpdateRoad::write(const FamilyUpdate& update, bool fromSecond) const
{
    if (!ready())
        return ready();
    return saveUpdate(update, target_.outPath, fromSecond);
}
