// Where things are on the meter's 1280 by 720 screen and in which colours: every rectangle, point
// and colour that more than one file needs (the screens, the window, the command line, the
// named regions of a comparison, the tests).
#pragma once

#include "render/Geometry.h"

namespace quorvel {

inline constexpr int kScreenWidth = 1280;
inline constexpr int kScreenHeight = 720;
inline constexpr IntRect kWholeScreen{0, 0, kScreenWidth, kScreenHeight};

namespace palette {
inline constexpr Argb kPanelGrey = 0xFFE6E6E6;  // every screen's background, the empty bar tracks
inline constexpr Argb kWhite = 0xFFFFFFFF;
inline constexpr Argb kBlack = 0xFF000000;
inline constexpr Argb kRuleBlue = 0xFF0080FF;
inline constexpr Argb kValueOrange = 0xFFFF8000;
inline constexpr Argb kBarRed = 0xFF800000;       // Measure-family strength and quality bars
inline constexpr Argb kGreen = 0xFF00FF00;        // the lock word and the spectrum trace
inline constexpr Argb kRed = 0xFFFF0000;          // the unlock word and the constellation level
inline constexpr Argb kGridGrey = 0xFFB4B4B4;     // spectrum grid lines and scale ticks
inline constexpr Argb kCursorOrange = 0x64FF8000; // the spectrum cursor column, translucent
inline constexpr Argb kPointGrey = 0xFFC8C8C8;    // constellation points
inline constexpr Argb kBarTeal = 0xFF065E86;      // constellation strength and quality bars
}  // namespace palette

// The title line and the rule under it, alike on the Measure-family and Constellation screens.
inline constexpr PointF kTitleAt{50, 20};
inline constexpr IntRect kTitleRule{0, 78, kScreenWidth, 2};
inline constexpr IntPoint kBatteryAt{1200, 10};

// A strength or quality bar: `percent` of its track, the raw byte unclamped, so values above 100
// run past the track (the canvas clips what leaves the screen).
constexpr int BarWidth(int percent, int trackWidth) {
    return percent * trackWidth / 100;
}

namespace measure {
inline constexpr int kTrackWidth = 860;
inline constexpr int kTrackHeight = 30;
inline constexpr IntRect kBottomRule{0, 640, kScreenWidth, 2};
inline constexpr IntPoint kVoltageBadgeAt{1030, 20};
inline constexpr IntPoint kToneBadgeAt{1080, 20};
}  // namespace measure

namespace satellite_finding {
inline constexpr IntRect kWhiteBand{0, 300, kScreenWidth, 340};
inline constexpr IntRect kBandTopRule{0, 300, kScreenWidth, 5};
inline constexpr int kBarsX = 220;
inline constexpr int kStrengthBarY = 525;
inline constexpr int kQualityBarY = 595;
inline constexpr RectF kLockBox{20, 350, 500, 160};
}  // namespace satellite_finding

// The Terrestrial and Cable Measure screen.
namespace measure_screen {
inline constexpr IntRect kWhiteBand{0, 370, kScreenWidth, 270};
// Starts 2 rows above the white band and so covers its first 3 pixel rows.
inline constexpr IntRect kBandTopRule{0, 368, kScreenWidth, 5};
inline constexpr int kBarsX = 240;
inline constexpr int kStrengthBarY = 545;
inline constexpr int kQualityBarY = 595;
inline constexpr RectF kLockBox{490, 375, 300, 150};
}  // namespace measure_screen

namespace spectrum {
// The plot: x 100..999, y 70..649; the bottom line is y 650 and 580 pixels stand for 25 dB.
inline constexpr int kPlotLeft = 100;
inline constexpr int kPlotTop = 70;
inline constexpr int kPlotWidth = 900;
inline constexpr int kPlotHeight = 580;
inline constexpr int kPlotRight = kPlotLeft + kPlotWidth;
inline constexpr int kPlotBottom = kPlotTop + kPlotHeight;
inline constexpr IntRect kPlot{kPlotLeft, kPlotTop, kPlotWidth, kPlotHeight};
inline constexpr int kScaleSpanDb = 25;
// What UP and DOWN repaint: the plot with the level scale left of it.
inline constexpr IntRect kScaleAndPlot{20, 60, 1000, 600};
inline constexpr IntRect kTitleRule{0, 58, kScreenWidth, 2};
inline constexpr PointF kTitleAt{50, 10};
inline constexpr IntPoint kBatteryAt{1200, 0};
inline constexpr IntPoint kVoltageBadgeAt{1020, 10};
inline constexpr IntPoint kToneBadgeAt{1080, 10};
inline constexpr IntPoint kExitKeyAt{1000, 660};
// The cursor column is 3 pixels wide around its middle column; a pointer move repaints 4.
inline constexpr int kCursorWidth = 3;
constexpr IntRect CursorStrip(int cursorX) {
    return {cursorX - 1, kPlotTop, 4, kPlotHeight};
}
}  // namespace spectrum

namespace constellation {
// F1 repaints this band with the More view; the rows above it keep the diagram view.
inline constexpr int kMoreBandTop = 240;
inline constexpr IntRect kMoreBand{0, kMoreBandTop, kScreenWidth, kScreenHeight - kMoreBandTop};
inline constexpr IntRect kAboveMoreBand{0, 0, kScreenWidth, kMoreBandTop};
inline constexpr IntRect kDiagramField{0, 90, 650, 630};
inline constexpr IntPoint kF1KeyAt{1000, 650};
inline constexpr int kTrackWidth = 820;
inline constexpr IntRect kQualityTrack{260, 515, kTrackWidth, 30};
inline constexpr IntRect kStrengthTrack{260, 585, kTrackWidth, 30};
}  // namespace constellation

}  // namespace quorvel
