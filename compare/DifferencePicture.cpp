#include "compare/DifferencePicture.h"

#include "compare/PngFile.h"

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
        const std::uint32_t dimmed =
            ((pixel >> 16 & 0xFF) / 3) << 16 | ((pixel >> 8 & 0xFF) / 3) << 8 | (pixel & 0xFF) / 3;
        difference.pixels[i] = mask[i] ? kDifferenceColour : dimmed;
    }
    return difference;
}

ReportPictures WriteReportPictures(const fs::path& folder, const std::string& stem,
                                   const ComparedSide& approved, const ComparedSide& fresh,
                                   const std::vector<std::uint8_t>& mask) {
    ReportPictures written;
    const Picture difference = DifferencePicture(approved.picture, mask);
    // A side compared whole is a copy of its file; one cut by a crop is encoded.
    const auto extensionOf = [](const ComparedSide& side) {
        return side.fileBytes.empty() ? std::string(".png") : side.extension;
    };
    const ComparedSide differenceSide{difference, {}, {}};
    const struct {
        const char* subfolder;
        const ComparedSide& side;
        std::string extension;
        std::string* relative;
    } outputs[] = {{"approved/", approved, extensionOf(approved), &written.approved},
                   {"new/", fresh, extensionOf(fresh), &written.fresh},
                   {"difference/", differenceSide, ".diff.png", &written.difference}};
    for (const auto& [subfolder, side, extension, relative] : outputs) {
        *relative = subfolder + stem + extension;
        const fs::path target = folder / fs::path(*relative);
        std::error_code error;
        fs::create_directories(target.parent_path(), error);
        const bool copied = !side.fileBytes.empty();
        const WriteOutcome outcome = copied ? WriteFileAtomically(target, side.fileBytes)
                                            : WritePngFile(target, side.picture);
        if (!outcome.ok) {
            written = {};
            written.error = CannotWrite(target, outcome.error);
            return written;
        }
    }
    return written;
}

}  // namespace quorvel::compare
