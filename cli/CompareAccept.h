// `compare --accept`: new pictures copied over the approved ones, with the folder's index.json
// and contact sheet.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <vector>

#include "compare/CompareRun.h"

namespace quorvel::cli {

// Copies each differing and added picture of the new side over the approved side and prints
// what it replaced or added; an approved picture of the same name under the other extension is
// removed once the new one is in. A new picture that does not decode is not approved. For
// folders, index.json of the approved folder takes the new folder's entries of the copied files
// and the contact sheet index.html is made anew from it; a folder without an index gets none.
// An index that cannot be read, or is too large or deep, stops everything before any file is
// touched. All files are written under
// temporary names first and then renamed in, so a failure replaces nothing, or only the files
// printed. Returns false when anything was not accepted.
bool AcceptNewPictures(const std::vector<compare::PairResult>& results,
                       const std::filesystem::path& approvedRoot,
                       const std::filesystem::path& freshRoot, bool folders, std::ostream& out,
                       std::ostream& err);

}  // namespace quorvel::cli
