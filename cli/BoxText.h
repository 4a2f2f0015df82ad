// How the contact sheet and the fit report give a text's box.
#pragma once

#include <string>

#include "render/Geometry.h"

namespace quorvel::cli {

// "w×h at x,y" in screen pixels.
std::string BoxText(const RectF& box);

}  // namespace quorvel::cli
