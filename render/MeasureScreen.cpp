#include "render/MeasureScreen.h"

namespace quorvel {

void DrawMeasure(Canvas& canvas, const MeasureEntry&, Language, DvbType) {
    canvas.FillRect(0xFFE6E6E6, {0, 0, kScreenWidth, kScreenHeight});
}

}  // namespace quorvel
