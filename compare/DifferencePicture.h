// The pictures a report shows of a differing pair: approved, new, and where they differ.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "compare/Picture.h"

namespace quorvel::compare {

// Differing pixels stand out in this colour over the dimmed approved picture.
inline constexpr std::uint32_t kDifferenceColour = 0xFF00FF;

// The approved picture at a third of its brightness, with `mask`'s pixels in kDifferenceColour.
Picture DifferencePicture(const Picture& approved, const std::vector<std::uint8_t>& mask);

struct ReportPictures {
    std::string approved, fresh, difference;  // '/'-separated, relative to the folder
    std::string error;
};

// Writes approved/NAME.bmp, new/NAME.bmp and difference/NAME.bmp below `folder`, as compared
// (after any crop), so the page shows exactly what was compared even after --accept.
ReportPictures WriteReportPictures(const std::filesystem::path& folder, const std::string& name,
                                   const Picture& approved, const Picture& fresh,
                                   const std::vector<std::uint8_t>& mask);

}  // namespace quorvel::compare
