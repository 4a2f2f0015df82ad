// The batch's contact sheet: one self-contained HTML page showing every picture in a grid,
// grouped by source file, DVB type and screen, with a summary line, a contents list and
// filters.
#pragma once

#include <string>
#include <vector>

#include "figures/BatchIndex.h"

namespace quorvel::cli {

// Picture links are relative to the sheet's folder, so the folder can be moved as a whole.
// Each source, DVB type, screen and picture has an anchor (a picture's is its file name).
// Pictures load as they scroll near the view; opened with "#eager", the page loads them all at
// once.
// `scale` is the batch's, for the summary line.
std::string ContactSheetHtml(const std::vector<PictureOutcome>& pictures, int scale);

}  // namespace quorvel::cli
