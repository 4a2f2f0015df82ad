// The batch's contact sheet: one self-contained HTML page showing every picture, grouped by
// source file, DVB type and screen, each entry's languages side by side.
#pragma once

#include <string>
#include <vector>

#include "figures/BatchIndex.h"

namespace quorvel::cli {

// Picture links are relative to the sheet's folder, so the folder can be moved as a whole.
// Pictures load as they scroll near the view; opened with "#eager", the page loads them all at
// once.
std::string ContactSheetHtml(const std::vector<PictureOutcome>& pictures);

}  // namespace quorvel::cli
