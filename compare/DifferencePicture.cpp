#include "compare/DifferencePicture.h"

#include "export/BmpFile.h"

namespace quorvel::compare {

namespace fs = std::filesystem;

Picture DifferencePicture(const Picture& approved, const std::vector<std::uint8_t>& mask) {
    Picture difference;
    difference.width = approved.width;
    difference.height = approved.height;
    difference.pixels.resize(approved.pixels.size());
    for (std::size_t i = 0; i < approved.pixels.size(); ++i) {
        const std::uint32_t pixel = approved.pixels[i];
        // Dividing each channel by three: the channel bytes cannot carry into each other.
        const std::uint32_t dimmed = ((pixel >> 16 & 0xFF) / 3) << 16 |
                                     ((pixel >> 8 & 0xFF) / 3) << 8 | (pixel & 0xFF) / 3;
        difference.pixels[i] = mask[i] ? kDifferenceColour : dimmed;
    }
    return difference;
}

ReportPictures WriteReportPictures(const fs::path& folder, const std::string& name,
                                   const Picture& approved, const Picture& fresh,
                                   const std::vector<std::uint8_t>& mask) {
    ReportPictures written;
    const Picture difference = DifferencePicture(approved, mask);
    // A PNG keeps its extension before ".bmp", so a.png and a.bmp cannot meet in one file.
    const bool isBmp = name.size() >= 4 && name.compare(name.size() - 4, 4, ".bmp") == 0;
    const std::string fileName = isBmp ? name : name + ".bmp";
    const std::pair<const Picture*, std::string*> outputs[] = {
        {&approved, &written.approved}, {&fresh, &written.fresh}, {&difference, &written.difference}};
    const char* const subfolders[] = {"approved", "new", "difference"};
    for (std::size_t i = 0; i < 3; ++i) {
        const std::string relative = std::string(subfolders[i]) + "/" + fileName;
        const fs::path target = folder / fs::path(relative);
        std::error_code error;
        fs::create_directories(target.parent_path(), error);
        const Picture& picture = *outputs[i].first;
        const WriteOutcome outcome =
            WriteBmp32File(target, picture.pixels.data(), picture.width, picture.height,
                           static_cast<std::size_t>(picture.width) * 4);
        if (!outcome.ok) {
            written.error = "cannot write " + target.string() + ": " + outcome.error;
            return written;
        }
        *outputs[i].second = relative;
    }
    return written;
}

}  // namespace quorvel::compare
