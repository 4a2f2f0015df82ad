// Compares picture pairs on every core and, when asked, writes each differing pair's pictures.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "compare/PicturePairs.h"
#include "compare/PictureScreen.h"

namespace quorvel::compare {

enum class Verdict { Same, Different, SizeDiffers, Added, Removed, Unreadable };

std::string_view VerdictName(Verdict verdict);  // "same", "different", "size differs", ...

struct CompareSettings {
    int tolerance = 0;
    std::vector<std::string> ignoredRegions;  // names from the screen region tables
    // Where the smaller picture of a pair sits inside the larger one (a window screenshot).
    std::optional<IntPoint> crop;
    // Folder for the approved, new and difference pictures of differing pairs.
    std::optional<std::filesystem::path> pictureFolder;
};

struct DiffArea {
    IntRect rect;
    std::vector<std::string> regions;  // empty when the screen is unknown or none is touched
};

// "WxH at X,Y", then ": " and the regions when it touches any.
std::string AreaLine(const DiffArea& area);

struct PairResult {
    PicturePair pair;
    Verdict verdict = Verdict::Same;
    std::string error;  // Unreadable: which file and why; otherwise a note such as a crop refused
    int approvedWidth = 0, approvedHeight = 0, newWidth = 0, newHeight = 0;
    PictureScreen screen;
    // The "Title" and "Entry" notes of the picture the screen was told from; empty without them.
    std::string title, entry;
    std::uint64_t differingPixels = 0;
    std::vector<DiffArea> areas;
    std::vector<std::string> regions;  // every region an area touches, in table order
    // Paths inside the picture folder of the report; empty when none were written.
    std::string approvedPicture, newPicture, differencePicture;
};

PairResult ComparePair(const PicturePair& pair, const CompareSettings& settings);

// All pairs, in the listing's order, on up to `threads` threads (0: one per core).
std::vector<PairResult> CompareAll(const std::vector<PicturePair>& pairs,
                                   const CompareSettings& settings, unsigned threads = 0);

}  // namespace quorvel::compare
