// The Constellation Analyzer screen: the point diagram and, with F1, the More view's band.
#pragma once

#include "data/ConstellationEntry.h"
#include "data/Types.h"
#include "render/Canvas.h"

namespace quorvel {

void DrawConstellation(Canvas& canvas, const ConstellationEntry& entry, Language language,
                       DvbType dvbType, bool showMore);

}  // namespace quorvel
