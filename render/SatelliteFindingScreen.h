// The Satellite Finding screen: the Measure family's screen for DVB-S.
#pragma once

#include "data/MeasureEntry.h"
#include "data/Types.h"
#include "render/Canvas.h"

namespace quorvel {

void DrawSatelliteFinding(Canvas& canvas, const MeasureEntry& entry, Language language);

}  // namespace quorvel
