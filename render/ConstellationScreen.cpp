#include "render/ConstellationScreen.h"

namespace quorvel {

void DrawConstellation(Canvas& canvas, const ConstellationEntry&, Language, DvbType, bool) {
    canvas.FillRect(0xFFE6E6E6, {0, 0, kScreenWidth, kScreenHeight});
}

}  // namespace quorvel
