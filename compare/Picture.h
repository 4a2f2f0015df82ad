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
    std::vector<std::pair<std::string, std::string>> notes;  // PNG text chunks, key and text

    std::uint32_t At(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
    // The text of note `key`, empty when the picture has none.
    std::string Note(const std::string& key) const;
};

}  // namespace quorvel::compare
