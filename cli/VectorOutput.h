// Screens written as SVG or PDF documents, through the same passes as the pictures.
#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "export/AtomicFile.h"
#include "render/ScreenRequest.h"
#include "render/VectorScreen.h"

namespace quorvel::cli {

enum class VectorFormat { Svg, Pdf };

std::optional<VectorFormat> VectorFormatFromName(std::string_view name);  // "svg", "pdf"
std::optional<VectorFormat> VectorFormatFromPath(const std::filesystem::path& path);
std::optional<PaperSize> PaperFromName(std::string_view name);  // "screen", "a4", "letter"

struct VectorOutcome {
    WriteOutcome written;
    std::vector<int> missingIcons;  // when not empty nothing was written
};

// Draws the request as a document and writes it all or nothing. `paper` counts for PDF only.
VectorOutcome WriteVectorScreen(const Catalogue& catalogue, const ScreenRequest& request,
                                VectorFormat format, PaperSize paper,
                                const std::filesystem::path& path);

}  // namespace quorvel::cli
