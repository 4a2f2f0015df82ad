// The screen image the window shows and the command line saves: a QImage whose pixels the
// recorded passes are replayed into.
#pragma once

#include <QImage>
#include <span>
#include <vector>

#include "data/Catalogue.h"
#include "data/ScreenState.h"
#include "render/DisplayList.h"
#include "render/Geometry.h"
#include "render/PixelScreen.h"
#include "render/ScreenPixels.h"
#include "render/TextFit.h"

namespace quorvel {

// A black 1280 by 720 screen in the format every pass paints into.
QImage NewScreenImage();

// The pixels of a Format_RGB32 image, which must stay unshared while they are written.
pixels::Target PixelsOf(QImage& screen);

// Replays `list` into `screen`, changing only the pixels inside `area`.
PaintResult ReplayScreen(QImage& screen, std::span<const IntRect> area, const DisplayList& list);

// Records one pass of `state` and replays it into `screen` inside `area`. With `unfit`, the
// rectangle texts the area repaints that do not fit their boxes are added to it.
PaintResult PaintScreen(QImage& screen, std::span<const IntRect> area, const ScreenState& state,
                        const Catalogue& catalogue, std::vector<UnfitText>* unfit = nullptr);

}  // namespace quorvel
