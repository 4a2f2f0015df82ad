#include "cli/ScreenRender.h"

#include <QRegion>
#include <algorithm>
#include <cctype>

#include "cli/PngEncoder.h"
#include "export/BmpFile.h"
#include "render/ScreenPainter.h"

namespace quorvel::cli {

namespace {

const QRect kFullScreen(0, 0, 1280, 720);
const QRect kMoreBand(0, 240, 1280, 480);

int FirstLineOrNone(const Catalogue& catalogue, Category family) {
    return catalogue.Count(family) > 0 ? 0 : -1;
}

}  // namespace

std::unique_ptr<Catalogue> CatalogueFor(const SourceRecord& record, DvbType dvbType) {
    // The rebuild may stamp the magic into the record; the caller's copy stays as loaded.
    SourceRecord working = record;
    auto catalogue = std::make_unique<Catalogue>();
    RebuildCatalogue(working, dvbType, *catalogue);
    return catalogue;
}

ScreenState StateFor(const Catalogue& catalogue, const ScreenRequest& request) {
    ScreenState state;
    state.category = request.screen;
    state.dvbType = request.dvbType;
    state.language = request.language;
    state.referenceLevel = request.referenceLevel;
    state.cursorX = request.cursorX;
    state.measureSelection = FirstLineOrNone(catalogue, Category::Measure);
    state.spectrumSelection = FirstLineOrNone(catalogue, Category::Spectrum);
    state.constellationSelection = FirstLineOrNone(catalogue, Category::Constellation);
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

RenderedScreen RenderScreen(const Catalogue& catalogue, const ScreenRequest& request) {
    RenderedScreen rendered;
    rendered.missingIcons = RenderScreenInto(rendered.image, catalogue, request);
    return rendered;
}

std::vector<int> RenderScreenInto(QImage& screen, const Catalogue& catalogue,
                                  const ScreenRequest& request) {
    // A full pass of every screen paints every pixel, so an image from an earlier picture is
    // painted over as it stands: clearing it first would cost a pass over its memory.
    if (screen.size() != kFullScreen.size() || screen.format() != QImage::Format_RGB32 ||
        !screen.isDetached()) {
        screen = NewScreenImage();
    }
    std::vector<int> missingIcons;
    ScreenState state = StateFor(catalogue, request);
    const auto collect = [&missingIcons](const PaintResult& result) {
        for (int icon : result.missingIcons) {
            if (std::find(missingIcons.begin(), missingIcons.end(), icon) == missingIcons.end()) {
                missingIcons.push_back(icon);
            }
        }
    };
    collect(PaintScreen(screen, QRegion(kFullScreen), state, catalogue));
    if (request.more) {
        state.showMore = true;
        collect(PaintScreen(screen, QRegion(kMoreBand), state, catalogue));
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

std::optional<PictureFormat> FormatFromPath(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    if (extension.empty()) return std::nullopt;
    extension.erase(0, 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return FormatFromName(extension);
}

WriteOutcome WritePicture(const QImage& image, PictureFormat format,
                          const std::filesystem::path& path) {
    const QImage pixels = image.format() == QImage::Format_RGB32
                              ? image
                              : image.convertToFormat(QImage::Format_RGB32);
    if (format == PictureFormat::Bmp) {
        return WriteBmp32File(path, reinterpret_cast<const std::uint32_t*>(pixels.constBits()),
                              pixels.width(), pixels.height(),
                              static_cast<std::size_t>(pixels.bytesPerLine()));
    }
    // A batch thread encodes every picture into the same storage.
    thread_local std::vector<std::uint8_t> bytes;
    if (!EncodePng(pixels, bytes)) return {false, "the picture could not be encoded"};
    return WriteFileAtomically(path, bytes);
}

}  // namespace quorvel::cli
