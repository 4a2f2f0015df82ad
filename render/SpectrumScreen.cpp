#include "render/SpectrumScreen.h"

namespace quorvel {

std::optional<std::string> DrawSpectrum(Canvas& canvas, const SpectrumEntry&, const SpectrumView&) {
    canvas.FillRect(0xFFE6E6E6, {0, 0, kScreenWidth, kScreenHeight});
    return std::nullopt;
}

}  // namespace quorvel
