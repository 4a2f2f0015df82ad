// The Terrestrial and Cable Measure screen: the Measure family's screen for DVB-T and DVB-C.
#pragma once

#include "data/MeasureEntry.h"
#include "data/Types.h"
#include "render/Canvas.h"

namespace quorvel {

void DrawMeasure(Canvas& canvas, const MeasureEntry& entry, Language language, DvbType dvbType);

}  // namespace quorvel
