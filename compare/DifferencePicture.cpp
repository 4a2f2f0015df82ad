#include "compare/DifferencePicture.h"

#include "export/AtomicFile.h"
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
        const std::uint32_t dimmed =
            ((pixel >> 16 & 0xFF) / 3) << 16 | ((pixel >> 8 & 0xFF) / 3) << 8 | (pixel & 0xFF) / 3;
        difference.pixels[i] = mask[i] ? kDifferenceColour : dimmed;
    }
    return difference;
}

ReportPictures WriteReportPictures(const fs::path& folder, const std::string& name,
                                   const ComparedSide& approved, const ComparedSide& fresh,
                                   const std::vector<std::uint8_t>& mask) {
    ReportPictures written;
    const Picture difference = DifferencePicture(approved.picture, mask);
    // A PNG keeps its extension before ".bmp", so a.png and a.bmp cannot meet in one file.
    const bool isBmp = name.size() >= 4 && name.compare(name.size() - 4, 4, ".bmp") == 0;
    const std::string encodedName = isBmp ? name : name + ".bmp";
    const struct {
        const char* subfolder;
        ComparedSide side;
        std::string* relative;
    } outputs[] = {{"approved", approved, &written.approved},
                   {"new", fresh, &written.fresh},
                   {"difference", {difference, {}}, &written.difference}};
    for (const auto& [subfolder, side, relative] : outputs) {
        const bool copied = !side.fileBytes.empty();
        *relative = std::string(subfolder) + "/" + (copied ? name : encodedName);
        const fs::path target = folder / fs::path(*relative);
        std::error_code error;
        fs::create_directories(target.parent_path(), error);
        const Picture& picture = side.picture;
        const WriteOutcome outcome =
            copied ? WriteFileAtomically(target, side.fileBytes)
                   : WriteBmp32File(target, picture.pixels.data(), picture.width, picture.height,
                                    static_cast<std::size_t>(picture.width) * 4);
        if (!outcome.ok) {
            written = {};
            written.error = "cannot write " + target.string() + ": " + outcome.error;
            return written;
        }
    }
    return written;
}

}  // namespace quorvel::compare
