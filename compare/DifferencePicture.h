// The pictures a report shows of a differing pair: approved, new, and where they differ.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
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

// One side of a pair as compared, with its file's bytes when it was compared whole.
struct ComparedSide {
    const Picture& picture;
    std::span<const std::uint8_t> fileBytes;  // empty after a crop: the picture is encoded
    std::string extension;                    // of the file, with its dot, for a copy of it
};

// Writes the pictures of the pair named `stem` (its name without the extension) below `folder`
// as compared, so the page shows what was compared even after --accept replaces the approved
// files: approved/STEM and new/STEM, each a copy of its file under the file's extension or, cut
// by a crop, STEM.png; and difference/STEM.diff.png.
ReportPictures WriteReportPictures(const std::filesystem::path& folder, const std::string& stem,
                                   const ComparedSide& approved, const ComparedSide& fresh,
                                   const std::vector<std::uint8_t>& mask);

}  // namespace quorvel::compare
