#include "cli/VectorOutput.h"

#include "export/PictureFile.h"

namespace quorvel::cli {

std::optional<VectorFormat> VectorFormatFromName(std::string_view name) {
    if (name == "svg") return VectorFormat::Svg;
    if (name == "pdf") return VectorFormat::Pdf;
    return std::nullopt;
}

std::optional<VectorFormat> VectorFormatFromPath(const std::filesystem::path& path) {
    return VectorFormatFromName(LowerExtension(path));
}

std::optional<PaperSize> PaperFromName(std::string_view name) {
    if (name == "screen") return PaperSize::Screen;
    if (name == "a4") return PaperSize::A4;
    if (name == "letter") return PaperSize::Letter;
    return std::nullopt;
}

VectorOutcome WriteVectorScreen(const Catalogue& catalogue, const ScreenRequest& request,
                                VectorFormat format, PaperSize paper,
                                const std::filesystem::path& path) {
    const std::vector<ScreenPass> passes = PassesFor(catalogue, request);
    const VectorPicture picture = format == VectorFormat::Svg ? ScreenSvg(passes, catalogue)
                                                              : ScreenPdf(passes, catalogue, paper);
    if (!picture.missingIcons.empty()) return {{false, "an icon is missing"}, picture.missingIcons};
    if (picture.bytes.isEmpty()) return {{false, "the document could not be made"}, {}};
    const std::string_view bytes(picture.bytes.constData(),
                                 static_cast<std::size_t>(picture.bytes.size()));
    return {WriteFileAtomically(path, BytesOf(bytes)), {}};
}

}  // namespace quorvel::cli
