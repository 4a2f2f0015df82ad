#include "app/Zoom.h"

#include <cmath>

namespace quorvel {

double DeviceScale(ZoomChoice choice, double devicePixelRatio, double fitScale) {
    if (!choice) return fitScale * devicePixelRatio;
    const double scale = *choice * devicePixelRatio;
    return scale >= 1.0 ? std::round(scale) : scale;
}

bool IsWholeScale(double deviceScale) {
    return deviceScale >= 1.0 && std::floor(deviceScale) == deviceScale;
}

double StepZoom(double viewScale, int direction) {
    double chosen = viewScale;
    for (double step : kZoomSteps) {
        if (direction > 0 && step > viewScale) return step;
        if (direction < 0 && step < viewScale) chosen = step;
    }
    return chosen;
}

int ScreenCoordinate(double view, double viewScale) {
    return static_cast<int>(std::floor(view / viewScale));
}

}  // namespace quorvel
