#include "render/PixelScreen.h"

#include <algorithm>

#include "render/PixelReplay.h"
#include "render/ScreenLayout.h"
#include "render/ScreenRecording.h"

namespace quorvel {

PaintResult ReplayInto(const pixels::Target& target, std::span<const IntRect> area,
                       const DisplayList& list) {
    ReplayPixels(list, PixelRegion(area, target.Bounds()), target);
    return {list.cursorTipText, list.missingIcons};
}

PaintResult PaintInto(const pixels::Target& target, std::span<const IntRect> area,
                      const ScreenState& state, const Catalogue& catalogue,
                      std::vector<UnfitText>* unfit) {
    const DisplayList list = RecordScreen(state, catalogue);
    if (unfit != nullptr) AddUnfitTexts(list, PixelRegion(area, kWholeScreen), *unfit);
    return ReplayInto(target, area, list);
}

std::vector<int> PaintRequestInto(const pixels::Target& target, const Catalogue& catalogue,
                                  const ScreenRequest& request, std::vector<UnfitText>* unfit) {
    std::vector<int> missingIcons;
    for (const ScreenPass& pass : PassesFor(catalogue, request)) {
        const PaintResult result = PaintInto(target, {&pass.area, 1}, pass.state, catalogue, unfit);
        for (const MissingIcon& icon : result.missingIcons) {
            if (std::find(missingIcons.begin(), missingIcons.end(), icon.id) == missingIcons.end()) {
                missingIcons.push_back(icon.id);
            }
        }
    }
    return missingIcons;
}

PaintResult ScreenRepainter::Repaint(const pixels::Target& target, std::span<const IntRect> areas,
                                     const ScreenState& state, const Catalogue& catalogue) {
    const PixelRegion region(areas, target.Bounds());
    if (region.Empty()) return {};
    long covered = 0;
    for (const IntRect& rect : region.Rects()) covered += static_cast<long>(rect.w) * rect.h;
    // A whole-screen repaint follows anything that may have changed the lists' contents (a file
    // opened or reloaded), so it never reuses an earlier recording.
    if (covered == static_cast<long>(kScreenWidth) * kScreenHeight) m_recorder.Forget();
    return ReplayInto(target, areas, m_recorder.Record(state, catalogue));
}

}  // namespace quorvel
