#include "render/SatelliteFindingScreen.h"

namespace quorvel {

void DrawSatelliteFinding(Canvas& canvas, const MeasureEntry&, Language) {
    canvas.FillRect(0xFFE6E6E6, {0, 0, kScreenWidth, kScreenHeight});
}

}  // namespace quorvel
