// The screen as a picture for print: drawn at a whole multiple of its size rather than enlarged,
// so that texts come out smooth at the size they are printed.
#pragma once

#include <QImage>
#include <span>
#include <vector>

#include "data/Catalogue.h"
#include "render/ScreenPass.h"

namespace quorvel {

struct PrintPicture {
    QImage image;  // null when PrintFont() has no family
    std::vector<int> missingIcons;
};

// The passes as PaintPasses replays them, with every coordinate times `scale`: an image of
// `scale` times the screen's width and height. Texts are drawn anti-aliased at `scale` times
// their pixel size in the pinned Liberation Sans, so no machine's fonts change a pixel; fills and
// polygons stay unsmoothed, so a fill covers exactly the pixels it covers when each screen pixel
// is repeated `scale` times, and icons are repeated pixel art. PrintFont() must have been called
// on the application's thread first, and its error shown when it has no family.
PrintPicture PrintRaster(std::span<const ScreenPass> passes, const Catalogue& catalogue, int scale);

}  // namespace quorvel
