// Where `compare -o` may write its report, and the files an earlier report there left behind.
#pragma once

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "compare/CompareRun.h"

namespace quorvel::cli {

struct ReportFolder {
    std::string refusal;  // empty when the folder may take the report
    // Files an earlier report in the folder wrote, relative to it; only files a report writes.
    std::set<std::filesystem::path> earlierFiles;
};

// A report folder that is, holds or lies inside APPROVED or NEW is refused unless it is empty,
// missing, or holds an earlier report (known by its report.json): writing into a folder of
// pictures would replace them.
ReportFolder CheckReportFolder(const std::filesystem::path& report,
                               const std::filesystem::path& approved,
                               const std::filesystem::path& fresh);

// Removes the files of the earlier report that this run's report did not write again, so the
// folder shows this run only.
void RemoveEarlierFiles(const std::filesystem::path& report, const ReportFolder& folder,
                        const std::vector<compare::PairResult>& results);

}  // namespace quorvel::cli
