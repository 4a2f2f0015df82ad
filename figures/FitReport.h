// The batch's text-fit report for translators: each distinct cut text once, with its id, its
// English source and the width it needs against the width its box has, in the pictures' pixels.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "figures/BatchPlan.h"
#include "render/TextFit.h"

namespace quorvel {

struct PictureOutcome;

struct FitEntry {
    // "text-N" for the screens' own word N (the meter's text id); "file-" and 8 hex digits of
    // the UTF-8 text's 32-bit FNV-1a hash for a text from the source file, the same in every
    // batch and on every machine.
    std::string id;
    Language language = Language::English;
    std::string text;     // UTF-8, as drawn
    std::string english;  // the English text of the same word; the text itself from the file
    std::string shown;
    // In the pictures' pixels: the unwrapped line's width, the box and the font's em size.
    double neededWidth = 0;
    double boxWidth = 0;
    double boxHeight = 0;
    int fontSize = 0;
    std::vector<std::string> pictures;  // file names, in the batch's order
};

struct FitReport {
    int scale = 1;                  // picture pixels per screen pixel
    std::vector<FitEntry> entries;  // in the order first met
};

// One entry per id, language, text, box size, font size and shown text; failed pictures are
// left out.
FitReport CollectFitReport(const std::vector<PictureOutcome>& pictures, int scale);

nlohmann::ordered_json FitReportJson(const FitReport& report);

}  // namespace quorvel
