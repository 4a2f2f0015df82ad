// The one way the tool turns a screen request into pixels and picture bytes; the single render
// command and the batch both go through it, and it goes through the window's paint path.
#pragma once

#include <QImage>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data/Catalogue.h"
#include "data/ScreenState.h"
#include "data/SourceRecord.h"
#include "cli/PngEncoder.h"
#include "data/ScreenState.h"
#include "export/AtomicFile.h"
#include "render/ScreenPass.h"
#include "render/TextFit.h"

namespace quorvel::cli {

struct ScreenRequest {
    DvbType dvbType = DvbType::Satellite;
    Category screen = Category::Measure;
    std::size_t position = 0;  // line of the family's drop-down list
    Language language = Language::English;
    bool more = false;  // the Constellation More view, as F1 shows it over the diagram view
    std::uint8_t referenceLevel = 40;
    int cursorX = 101;
};

// The catalogue the window builds for `dvbType` from a freshly loaded record.
std::unique_ptr<Catalogue> CatalogueFor(const SourceRecord& record, DvbType dvbType);

// The window's state right after a rebuild, then switched to the requested screen and line.
// `request.position` must be below the family's count.
ScreenState StateFor(const Catalogue& catalogue, const ScreenRequest& request);

// The passes the window paints to show the request: the whole screen, then for the More view the
// band F1 repaints (0, 240, 1280, 480) with the More view on.
std::vector<ScreenPass> PassesFor(const Catalogue& catalogue, const ScreenRequest& request);

struct RenderedScreen {
    QImage image;
    std::vector<int> missingIcons;
};

// Paints the request's passes, exactly as the window does.
RenderedScreen RenderScreen(const Catalogue& catalogue, const ScreenRequest& request);
// The same into `screen`, whatever it held before, reusing its pixel memory when it is a
// screen image already: a thread that draws many screens keeps one. Returns the icons that
// could not be loaded. With `unfit`, the rectangle texts that do not fit their boxes are added.
std::vector<int> RenderScreenInto(QImage& screen, const Catalogue& catalogue,
                                  const ScreenRequest& request,
                                  std::vector<UnfitText>* unfit = nullptr);

enum class PictureFormat { Bmp, Png };

std::string_view FormatExtension(PictureFormat format);  // "bmp", "png"
std::optional<PictureFormat> FormatFromName(std::string_view name);
std::optional<PictureFormat> FormatFromPath(const std::filesystem::path& path);
// The file name's extension in lower case, without its dot.
std::string LowerExtension(const std::filesystem::path& path);

// Writes the picture to `path`, all or nothing, as WriteFileAtomically does.
// BMP is the window's export file, encoded as it is written; PNG holds the same pixels without
// alpha and with the extras' resolution and texts. Both are enlarged by the extras' scale.
// On failure the error says why, an encoding failure included.
WriteOutcome WritePicture(const QImage& image, PictureFormat format,
                          const std::filesystem::path& path, const PictureExtras& extras = {});

}  // namespace quorvel::cli
