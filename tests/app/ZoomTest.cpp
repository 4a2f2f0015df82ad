// Zoom arithmetic: device pixels per screen pixel, the zoom steps and the pointer's screen pixel.
#include <gtest/gtest.h>

#include "app/Zoom.h"

namespace quorvel {
namespace {

TEST(ZoomTest, FixedZoomsThatEnlargeUseWholeDevicePixels) {
    struct Case {
        ZoomChoice choice;
        double ratio;
        double fit;
        double device;
        bool whole;
    };
    const Case cases[] = {
        {1.0, 1.0, 0.3, 1.0, true},           {2.0, 1.0, 0.3, 2.0, true},
        {0.5, 1.0, 0.3, 0.5, false},          {1.0, 1.5, 0.3, 2.0, true},
        {2.0, 1.5, 0.3, 3.0, true},           {1.0, 1.25, 0.3, 1.0, true},
        {0.5, 1.5, 0.3, 0.75, false},         {1.0, 2.0, 0.3, 2.0, true},
        {std::nullopt, 1.0, 0.7, 0.7, false}, {std::nullopt, 2.0, 0.75, 1.5, false},
        {std::nullopt, 1.0, 2.0, 2.0, true},
    };
    for (const Case& c : cases) {
        const double device = DeviceScale(c.choice, c.ratio, c.fit);
        EXPECT_DOUBLE_EQ(device, c.device) << c.choice.value_or(-1) << " at " << c.ratio;
        EXPECT_EQ(IsWholeScale(device), c.whole) << device;
    }
}

TEST(ZoomTest, StepsGoThroughHalfWholeAndDoubleFromAnyScale) {
    EXPECT_EQ(StepZoom(0.5, +1), 1.0);
    EXPECT_EQ(StepZoom(1.0, +1), 2.0);
    EXPECT_EQ(StepZoom(2.0, +1), 2.0);
    EXPECT_EQ(StepZoom(2.0, -1), 1.0);
    EXPECT_EQ(StepZoom(1.0, -1), 0.5);
    EXPECT_EQ(StepZoom(0.5, -1), 0.5);
    EXPECT_EQ(StepZoom(0.8, +1), 1.0);  // from a fitted scale
    EXPECT_EQ(StepZoom(0.8, -1), 0.5);
    EXPECT_EQ(StepZoom(1.4, -1), 1.0);
}

TEST(ZoomTest, ThePointerIsOverTheScreenPixelItsViewPixelShows) {
    EXPECT_EQ(ScreenCoordinate(601.0, 2.0), 300);
    EXPECT_EQ(ScreenCoordinate(600.0, 2.0), 300);
    EXPECT_EQ(ScreenCoordinate(599.9, 2.0), 299);
    EXPECT_EQ(ScreenCoordinate(150.0, 0.5), 300);
    EXPECT_EQ(ScreenCoordinate(2559.5, 2.0), 1279);
    EXPECT_EQ(ScreenCoordinate(-0.5, 2.0), -1);  // left of the screen stays outside it
}

}  // namespace
}  // namespace quorvel
