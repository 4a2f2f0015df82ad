// The one render path from state to pixels, shared by the window and the command-line tool.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <QImage>
#include <QRegion>

#include "data/Catalogue.h"
#include "data/ScreenState.h"
#include "render/Geometry.h"
#include "render/IconStore.h"
#include "render/TextFit.h"

namespace quorvel {

struct PaintResult {
    std::optional<std::string> cursorTipText;
    std::vector<MissingIcon> missingIcons;  // icons that could not be loaded during the pass
};

inline QRect ToQRect(IntRect r) {
    return QRect(r.x, r.y, r.w, r.h);
}

// A black 1280 by 720 screen in the format every pass paints into.
QImage NewScreenImage();

// Runs one paint pass into `screen`, changing only the pixels inside `area`. With `unfit`, the
// pass also adds the rectangle texts that do not fit their boxes to it.
PaintResult PaintScreen(QImage& screen, const QRegion& area, const ScreenState& state,
                        const Catalogue& catalogue, std::vector<UnfitText>* unfit = nullptr);

}  // namespace quorvel
