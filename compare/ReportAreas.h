// The changed areas of a differing pair on the report page: outlined over the new picture, and
// each enlarged beside it with its coordinates and the regions it touches.
#pragma once

#include <cstddef>
#include <string>

#include "compare/CompareRun.h"

namespace quorvel::compare {

// A picture with thousands of areas still makes a light page: areas past these are counted,
// and report.json has them all.
inline constexpr std::size_t kAreasShown = 20;

// The new picture with a box over each shown area, placed in percent of the picture so it
// follows whatever size the page gives the picture.
std::string OutlinedPicture(const PairResult& result);

// A list with an item for each shown area: the area and the pixels around it, approved and new,
// scaled up with square pixels and the area boxed, then "WxH at X,Y" and its regions.
std::string EnlargedAreas(const PairResult& result);

}  // namespace quorvel::compare
