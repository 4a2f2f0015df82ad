// What became of one picture of a batch: the index, the contact sheet and the fit report read it.
#pragma once

#include <string>
#include <vector>

#include "cli/BatchPlan.h"
#include "render/TextFit.h"

namespace quorvel::cli {

struct PictureOutcome {
    PlannedPicture planned;
    std::string sourceName;        // the source file's name, without its folder
    std::string sourceSha256;      // of the record the picture is drawn from
    std::string failure;           // empty when the picture was written
    std::vector<UnfitText> unfit;  // rectangle texts that do not fit their boxes
};

// "w×h at x,y" in screen pixels.
std::string BoxText(const RectF& box);

}  // namespace quorvel::cli
