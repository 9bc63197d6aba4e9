// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/continuation_links.h"

#include "export/person_html.h"
#include "model/place_name.h"
#include "model/text_codec.h"

#include <sys/stat.h>

#include <unordered_map>

namespace {

// The box's first line, as the chart shows it.
std::string firstLine(const Person& box)
{
    const std::string_view text = box.text;
    std::string_view line = text.substr(0, text.find('|'));
    while (!line.empty() && line.back() == ' ')
        line.remove_suffix(1);
    return displayText(line);
}

} // namespace

std::vector<Result> deadContinuationLinks(const Chart& chart, std::string_view pageName,
                                          const std::string& folder)
{
    std::vector<Result> lines;
    // Many boxes may link to one page: each is looked for once.
    std::unordered_map<std::string, bool> found;
    chart.tree().forEachPerson([&](const Person* box) {
        if (!linksToChart(*box, chart.familyLink().linked()))
            return;
        const std::string target = continuationTarget(*box, pageName);
        const auto [known, isNew] = found.try_emplace(target, false);
        if (isNew) {
            struct stat info {};
            known->second = ::stat((folder + "/" + target).c_str(), &info) == 0;
        }
        if (known->second)
            return;
        lines.push_back(Result::note(
            STIRPA_TR_NOOP("Message", "The continuation box '%1' at column %2, generation %3 "
                                      "links to %4, which is not beside the page."),
            {firstLine(*box), std::to_string(long(box->column()) + 1),
             std::to_string(generationNumber(chart, box->level())), target}));
    });
    return lines;
}
