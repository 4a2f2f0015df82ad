#include "cli/SmoothPicture.h"

#include <ostream>

#include "render/PrintFont.h"
#include "render/PrintRaster.h"

namespace quorvel::cli {

bool SmoothFontReady(std::ostream& err) {
    const LoadedFont& font = PrintFont();
    if (!font.family.isEmpty()) return true;
    err << "quorvel-cli: --smooth: " << font.error.toStdString()
        << " (the fonts-liberation2 package)\n";
    return false;
}

RenderedScreen RenderSmoothScreen(const Catalogue& catalogue, const ScreenRequest& request,
                                  int scale) {
    PrintPicture picture = PrintRaster(PassesFor(catalogue, request), catalogue, scale);
    return {std::move(picture.image), std::move(picture.missingIcons)};
}

}  // namespace quorvel::cli
