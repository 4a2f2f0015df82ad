// `compare --accept`: new pictures copied over the approved ones, with the folder's index.json.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <vector>

#include "compare/CompareRun.h"

namespace quorvel::cli {

// Copies each differing and added picture of the new side over the approved side, one file at
// a time, each all or nothing, and prints what it replaced or added. For folders, index.json
// of the approved folder takes the new folder's entries of the copied files (or the whole new
// index when the approved folder has none). Returns false when anything could not be written.
bool AcceptNewPictures(const std::vector<compare::PairResult>& results,
                       const std::filesystem::path& approvedRoot,
                       const std::filesystem::path& freshRoot, bool folders, std::ostream& out,
                       std::ostream& err);

}  // namespace quorvel::cli
