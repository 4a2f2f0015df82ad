// Paint passes straight into a caller's 32-bit screen pixels: what the window's image, the
// command line's pictures and the browser page's canvas are all painted by.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "data/Catalogue.h"
#include "data/ScreenState.h"
#include "render/DisplayList.h"
#include "render/Geometry.h"
#include "render/IconStore.h"
#include "render/ScreenPixels.h"
#include "render/ScreenRecording.h"
#include "render/ScreenRequest.h"
#include "render/TextFit.h"

namespace quorvel {

struct PaintResult {
    std::optional<std::string> cursorTipText;
    std::vector<MissingIcon> missingIcons;  // icons that could not be loaded during the pass
};

// Replays `list` into `target`, changing only the pixels inside `area`.
PaintResult ReplayInto(const pixels::Target& target, std::span<const IntRect> area,
                       const DisplayList& list);

// Records one pass of `state` and replays it inside `area`. With `unfit`, the rectangle texts
// the area repaints that do not fit their boxes are added to it.
PaintResult PaintInto(const pixels::Target& target, std::span<const IntRect> area,
                      const ScreenState& state, const Catalogue& catalogue,
                      std::vector<UnfitText>* unfit = nullptr);

// Paints the request's passes, exactly as the window reaches that screen; every pixel of the
// target's screen is painted. Returns the icons that could not be loaded, each once.
std::vector<int> PaintRequestInto(const pixels::Target& target, const Catalogue& catalogue,
                                  const ScreenRequest& request,
                                  std::vector<UnfitText>* unfit = nullptr);

// A screen kept as the window keeps it: each change repaints only the areas it invalidated, and a
// pointer move over the spectrum reuses the last recording.
class ScreenRepainter {
  public:
    PaintResult Repaint(const pixels::Target& target, std::span<const IntRect> areas,
                        const ScreenState& state, const Catalogue& catalogue);

  private:
    ScreenRecorder m_recorder;
};

}  // namespace quorvel
