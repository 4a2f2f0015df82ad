// The report of a comparison: counts, report.json with every result, and the index.html page.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "compare/CompareRun.h"

namespace quorvel::compare {

struct CompareSummary {
    std::size_t compared = 0;  // pairs with a picture on both sides
    std::size_t same = 0, different = 0, added = 0, removed = 0, unreadable = 0;
    bool AllSame() const { return different + added + removed + unreadable == 0; }
};

// Size differences count as different.
CompareSummary Summarize(const std::vector<PairResult>& results);

// The JSON document of report.json.
std::string ReportJson(const std::vector<PairResult>& results, const CompareSettings& settings,
                       const CompareSummary& summary);

// One page with no outside assets: differing pairs first, each with the screen and entry its
// notes name, its approved, new and difference pictures side by side (the approved picture
// flipping to the new one on hover or click, the changed areas outlined on the new one), links
// to both at full size, and each area enlarged with its coordinates and regions; the pictures
// are the files the comparison wrote next to it.
std::string ReportPage(const std::vector<PairResult>& results, const CompareSummary& summary);

// Writes report.json and index.html into `folder`; empty when done, otherwise why not.
std::string WriteReport(const std::filesystem::path& folder, const std::vector<PairResult>& results,
                        const CompareSettings& settings, const CompareSummary& summary);

}  // namespace quorvel::compare
