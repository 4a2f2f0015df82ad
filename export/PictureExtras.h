// What a picture file holds besides the screen's pixels.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace quorvel {

struct PictureExtras {
    int scale = 1;  // each screen pixel becomes scale by scale pixels
    int dpi = 0;    // PNG only: the resolution recorded in the file; 0 records none
    std::vector<std::pair<std::string, std::string>> texts;  // PNG only: key, UTF-8 value
};

}  // namespace quorvel
