#include "cli/ScreenRender.h"

#include <algorithm>
#include <cctype>

#include "cli/PngEncoder.h"
#include "export/ScreenBmp.h"
#include "render/ScreenLayout.h"
#include "render/ScreenPainter.h"

namespace quorvel::cli {

std::unique_ptr<Catalogue> CatalogueFor(const SourceRecord& record, DvbType dvbType) {
    // The rebuild may stamp the magic into the record; the caller's copy stays as loaded.
    SourceRecord working = record;
    auto catalogue = std::make_unique<Catalogue>();
    RebuildCatalogue(working, dvbType, *catalogue);
    return catalogue;
}

ScreenState StateFor(const Catalogue& catalogue, const ScreenRequest& request) {
    ScreenState state;
    state.dvbType = request.dvbType;
    state.language = request.language;
    state.referenceLevel = request.referenceLevel;
    state.cursorX = request.cursorX;
    SelectAfterRebuild(state, catalogue);
    state.category = request.screen;
    const int line = static_cast<int>(request.position);
    switch (request.screen) {
        case Category::Measure:
            state.measureSelection = line;
            break;
        case Category::Spectrum:
            state.spectrumSelection = line;
            break;
        case Category::Constellation:
            state.constellationSelection = line;
            break;
        case Category::None:
            break;
    }
    return state;
}

std::vector<ScreenPass> PassesFor(const Catalogue& catalogue, const ScreenRequest& request) {
    std::vector<ScreenPass> passes{{StateFor(catalogue, request)}};
    if (request.more) {
        ScreenState more = passes.front().state;
        more.showMore = true;
        passes.push_back({more, constellation::kMoreBand});
    }
    return passes;
}

RenderedScreen RenderScreen(const Catalogue& catalogue, const ScreenRequest& request) {
    RenderedScreen rendered;
    rendered.missingIcons = RenderScreenInto(rendered.image, catalogue, request);
    return rendered;
}

std::vector<int> RenderScreenInto(QImage& screen, const Catalogue& catalogue,
                                  const ScreenRequest& request, std::vector<UnfitText>* unfit) {
    // A full pass of every screen paints every pixel, so an image from an earlier picture is
    // painted over as it stands: clearing it first would cost a pass over its memory.
    if (screen.width() != kScreenWidth || screen.height() != kScreenHeight || screen.format() != QImage::Format_RGB32 ||
        !screen.isDetached()) {
        screen = NewScreenImage();
    }
    std::vector<int> missingIcons;
    for (const ScreenPass& pass : PassesFor(catalogue, request)) {
        const PaintResult result = PaintScreen(screen, {&pass.area, 1}, pass.state, catalogue, unfit);
        for (const MissingIcon& icon : result.missingIcons) {
            if (std::ranges::find(missingIcons, icon.id) == missingIcons.end()) {
                missingIcons.push_back(icon.id);
            }
        }
    }
    return missingIcons;
}

std::string_view FormatExtension(PictureFormat format) {
    return format == PictureFormat::Png ? "png" : "bmp";
}

std::optional<PictureFormat> FormatFromName(std::string_view name) {
    if (name == "bmp") return PictureFormat::Bmp;
    if (name == "png") return PictureFormat::Png;
    return std::nullopt;
}

std::string LowerExtension(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    if (!extension.empty()) extension.erase(0, 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

std::optional<PictureFormat> FormatFromPath(const std::filesystem::path& path) {
    const std::string extension = LowerExtension(path);
    if (extension.empty()) return std::nullopt;
    return FormatFromName(extension);
}

WriteOutcome WritePicture(const QImage& image, PictureFormat format,
                          const std::filesystem::path& path, const PictureExtras& extras) {
    if (format == PictureFormat::Bmp) {
        if (extras.scale == 1) return WriteScreenBmp(image, path);
        // Whole-number enlargement without smoothing repeats each pixel.
        return WriteScreenBmp(image.scaled(image.size() * extras.scale, Qt::IgnoreAspectRatio,
                                           Qt::FastTransformation),
                              path);
    }
    const QImage pixels = image.format() == QImage::Format_RGB32
                              ? image
                              : image.convertToFormat(QImage::Format_RGB32);
    // A batch thread encodes every picture into the same storage.
    thread_local std::vector<std::uint8_t> bytes;
    if (!EncodePng(pixels, extras, bytes)) return {false, "the picture could not be encoded"};
    return WriteFileAtomically(path, bytes);
}

}  // namespace quorvel::cli
