// How large the screen is shown: the zoom steps and the arithmetic between screen, view and
// device pixels, free of widgets.
#pragma once

#include <optional>

namespace quorvel {

// View pixels per screen pixel; no value means "fit to the window".
using ZoomChoice = std::optional<double>;

inline constexpr double kZoomSteps[] = {0.5, 1.0, 2.0};

// Device pixels per screen pixel for `choice`. A fixed zoom that enlarges is rounded to whole
// device pixels, so that on a display whose device pixel ratio is not whole the screen is still
// drawn by repeating pixels and stays sharp. `fitScale` is the view scale that fits the window.
double DeviceScale(ZoomChoice choice, double devicePixelRatio, double fitScale);

// True when every screen pixel covers a whole number of device pixels; then the view repeats
// pixels instead of smoothing them.
bool IsWholeScale(double deviceScale);

// The next step above (direction > 0) or below the scale shown now, in view pixels per screen
// pixel; the scale itself at the last step.
double StepZoom(double viewScale, int direction);

// The screen pixel under view coordinate `view` (the view's origin is the screen's).
int ScreenCoordinate(double view, double viewScale);

}  // namespace quorvel
