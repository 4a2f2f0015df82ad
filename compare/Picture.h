// A decoded picture: its pixels as 0x00RRGGBB, top row first, and the text notes it carried.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace quorvel::compare {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // width * height, row after row, alpha dropped
    // PNG text chunks, key and UTF-8 text (a plain chunk's Latin-1 widened).
    std::vector<std::pair<std::string, std::string>> notes;
    unsigned dotsPerMetre = 0;  // a PNG's recorded resolution (pHYs), 0 when it records none

    std::uint32_t At(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
    // The text of note `key`, empty when the picture has none.
    std::string Note(const std::string& key) const;
};

}  // namespace quorvel::compare
