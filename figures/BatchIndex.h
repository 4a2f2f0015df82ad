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
    std::string failure;           // empty when the picture was written
    std::vector<UnfitText> unfit;  // rectangle texts that do not fit their boxes
};

// The index file's text: the pictures made, with what each shows and where it came from, those
// that failed, and the text-fit report. `recordSha256` holds each source's record hash, by
// PlannedPicture::source.
std::string IndexJsonText(const std::vector<PictureOutcome>& pictures,
                          const std::vector<std::string>& recordSha256, const FitReport& fit);

}  // namespace quorvel
