// SPDX-License-Identifier: GPL-3.0-or-later
#include "family/import_road.h"

#include "chartfile/chart_reader.h"
#include "chartfile/chart_writer.h"

namespace {

ImportWritten writeChart(const GedcomData& data, const ImportOptions& options,
                         const ImportTarget& target)
{
    const ChartImport imported =
        importChart(data, options, treeNameOf(target.outPath), target.linkPath);
    if (!imported)
        return Result(imported);
    if (const Result saved = saveChartFile(target.outPath, imported.chart); !saved)
        return saved;
    ImportWritten written;
    written.written = {target.outPath};
    written.boxes = imported.chart.tree().size();
    written.generations = imported.generations;
    written.living = imported.living;
    written.size = imported.chart.tree().drawnSize();
    return written;
}

ImportWritten writeBook(const GedcomData& data, const ImportOptions& options,
                        const ImportTarget& target)
{
    return saveBook(data, options, target.outPath, target.linkPath, target.replace);
}

} // namespace

ImportRoad::ImportRoad(ImportTarget target)
    : target_(std::move(target)),
      output_(target_.outPath, {target_.familyPath}, target_.replace)
{
}

ImportWritten ImportRoad::write(const GedcomData& data, const ImportOptions& options) const
{
    if (!ready())
        return ready();
    return options.bookColumns > 0 ? writeBook(data, options, target_)
                                   : writeChart(data, options, target_);
}
