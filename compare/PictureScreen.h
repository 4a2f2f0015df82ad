// Which screen a picture shows, told by its file name or its PNG text notes, and its regions.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compare/Picture.h"
#include "render/ScreenRegions.h"

namespace quorvel::compare {

struct PictureScreen {
    std::optional<ScreenLayoutKind> layout;  // unknown: only whole-picture boxes are given
    int scale = 1;                           // screen pixels drawn as scale by scale squares
};

// The notes "DVB type" and "Screen" win over a `render --all` file name, read as the batch
// writes them (figures/BatchPlan); "Scale" gives the scale.
PictureScreen ScreenOfPicture(std::string_view fileName, const Picture& picture);

struct PlacedRegion {
    std::string name;
    IntRect rect;  // in picture pixels
};

std::vector<PlacedRegion> PlacedRegions(const PictureScreen& screen);

// Names of the regions `area` touches, in table order.
std::vector<std::string> RegionsTouched(const std::vector<PlacedRegion>& regions, IntRect area);

}  // namespace quorvel::compare
