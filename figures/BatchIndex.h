// What became of each picture of a batch, and the index.json that lists them: the command line
// writes it beside its pictures and the browser page into its figure set.
#pragma once

#include <string>
#include <vector>

#include "figures/BatchPlan.h"
#include "figures/FitReport.h"
#include "render/TextFit.h"

namespace quorvel {

struct PictureOutcome {
    PlannedPicture planned;
    std::string sourceName;        // the source file's name, without its folder
    std::string sourceSha256;      // of the record the picture is drawn from
    std::string failure;           // empty when the picture was written
    std::vector<UnfitText> unfit;  // rectangle texts that do not fit their boxes
};

// The index file's text: the pictures made, with what each shows and where it came from, those
// that failed, the text-fit report, and `earlier`: pictures an earlier batch listed that this one
// left in place, so that a later --clean still knows them.
std::string IndexJsonText(const std::vector<PictureOutcome>& pictures, const FitReport& fit,
                          const std::vector<std::string>& earlier);

}  // namespace quorvel
