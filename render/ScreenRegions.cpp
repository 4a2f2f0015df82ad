#include "render/ScreenRegions.h"

#include <algorithm>
#include <array>

#include "render/ScreenLayout.h"

namespace quorvel {

namespace {

// Each rectangle covers what its renderer draws for that part, texts with their full line height.
// Where two parts share rows (the lock word beside the readouts), the rectangles follow the
// elements rather than whole bands, so a difference names the part that changed.

constexpr IntRect WholeRect(RectF r) {
    return {static_cast<int>(r.x), static_cast<int>(r.y), static_cast<int>(r.w),
            static_cast<int>(r.h)};
}

// Left of the status icons, right of them the battery; down to the rule under the title.
constexpr int kStatusIconsX = measure::kVoltageBadgeAt.x - 30;
constexpr int kTitleBottom = kTitleRule.y + kTitleRule.h;
constexpr IntRect kTitle{0, 0, kStatusIconsX, kTitleBottom};
constexpr IntRect kStatusIcons{kStatusIconsX, 0, kBatteryAt.x - kStatusIconsX, kTitleBottom};
constexpr IntRect kBattery{kBatteryAt.x, 0, kScreenWidth - kBatteryAt.x, kTitleBottom};

constexpr std::array kSatelliteFinding = {
    NamedRegion{"title", kTitle},
    NamedRegion{"status icons", kStatusIcons},
    NamedRegion{"battery", kBattery},
    NamedRegion{"value rows",
                {0, kTitleBottom, kScreenWidth, satellite_finding::kWhiteBand.y - kTitleBottom}},
    NamedRegion{"service line", {360, 305, 600, 65}},
    NamedRegion{"lock word", WholeRect(satellite_finding::kLockBox)},
    NamedRegion{"readout panel", {520, 370, 760, 140}},
    NamedRegion{"strength bar", {0, 510, kScreenWidth, 65}},
    NamedRegion{"quality bar", {0, 575, kScreenWidth, measure::kBottomRule.y - 575}},
};

constexpr std::array kMeasure = {
    NamedRegion{"title", kTitle},
    NamedRegion{"status icons", kStatusIcons},
    NamedRegion{"battery", kBattery},
    NamedRegion{"value rows",
                {0, kTitleBottom, kScreenWidth, measure_screen::kBandTopRule.y - kTitleBottom}},
    NamedRegion{"lock word", WholeRect(measure_screen::kLockBox)},
    NamedRegion{"level readout", {0, 390, 490, 137}},
    NamedRegion{"error readout", {790, 390, 490, 137}},
    NamedRegion{"strength bar", {0, 527, kScreenWidth, 50}},
    NamedRegion{"quality bar", {0, 577, kScreenWidth, measure::kBottomRule.y - 577}},
};

namespace sp = spectrum;
constexpr int kSpectrumTitleBottom = sp::kTitleRule.y + sp::kTitleRule.h;
constexpr int kSpectrumIconsX = sp::kVoltageBadgeAt.x - 20;
// The plot reaches one column past its right edge and two rows past its bottom: the cursor
// column's last column and the bottom grid line are drawn there.
constexpr IntRect kPlotDrawn{sp::kPlotLeft, sp::kPlotTop, sp::kPlotWidth + 1, sp::kPlotHeight + 2};
constexpr int kKeyHelpY = 655;

constexpr std::array kSpectrum = {
    NamedRegion{"title", {0, 0, kSpectrumIconsX, kSpectrumTitleBottom}},
    NamedRegion{"status icons",
                {kSpectrumIconsX, 0, sp::kBatteryAt.x - kSpectrumIconsX, kSpectrumTitleBottom}},
    NamedRegion{"battery",
                {sp::kBatteryAt.x, 0, kScreenWidth - sp::kBatteryAt.x, kSpectrumTitleBottom}},
    NamedRegion{"level scale", {0, sp::kScaleAndPlot.y, sp::kPlotLeft, sp::kScaleAndPlot.h}},
    NamedRegion{"plot", kPlotDrawn},
    NamedRegion{"readout panel",
                {sp::kPlotRight + 1, kSpectrumTitleBottom, kScreenWidth - sp::kPlotRight - 1,
                 kKeyHelpY - kSpectrumTitleBottom}},
    NamedRegion{
        "key help",
        {sp::kExitKeyAt.x, kKeyHelpY, kScreenWidth - sp::kExitKeyAt.x, kScreenHeight - kKeyHelpY}},
};

namespace co = constellation;
constexpr int kReadoutX = co::kDiagramField.x + co::kDiagramField.w;
constexpr IntRect kConstellationTitle{0, 0, kBatteryAt.x, kTitleBottom};
constexpr int kF1KeyHelpY = co::kF1KeyAt.y - 10;

constexpr std::array kConstellation = {
    NamedRegion{"title", kConstellationTitle},
    NamedRegion{"battery", kBattery},
    NamedRegion{"diagram", co::kDiagramField},
    NamedRegion{"readout panel",
                {kReadoutX, kTitleBottom, kScreenWidth - kReadoutX, kF1KeyHelpY - kTitleBottom}},
    NamedRegion{
        "key help",
        {co::kF1KeyAt.x, kF1KeyHelpY, kScreenWidth - co::kF1KeyAt.x, kScreenHeight - kF1KeyHelpY}},
};

// F1 repaints only the band from y 240 down; above it the diagram view stays.
constexpr std::array kConstellationMore = {
    NamedRegion{"title", kConstellationTitle},
    NamedRegion{"battery", kBattery},
    NamedRegion{"diagram",
                {co::kDiagramField.x, co::kDiagramField.y, co::kDiagramField.w,
                 co::kMoreBandTop - co::kDiagramField.y}},
    NamedRegion{
        "readout panel",
        {kReadoutX, kTitleBottom, kScreenWidth - kReadoutX, co::kMoreBandTop - kTitleBottom}},
    NamedRegion{"More band", co::kMoreBand},
    NamedRegion{"More rows",
                {0, co::kMoreBandTop, kScreenWidth, co::kQualityTrack.y - 10 - co::kMoreBandTop}},
    NamedRegion{
        "quality bar",
        {0, co::kQualityTrack.y - 10, kScreenWidth, co::kStrengthTrack.y - co::kQualityTrack.y}},
    NamedRegion{
        "strength bar",
        {0, co::kStrengthTrack.y - 10, kScreenWidth, co::kStrengthTrack.y - co::kQualityTrack.y}},
};

}  // namespace

std::span<const NamedRegion> RegionsOf(ScreenLayoutKind kind) {
    switch (kind) {
        case ScreenLayoutKind::SatelliteFinding:
            return kSatelliteFinding;
        case ScreenLayoutKind::Measure:
            return kMeasure;
        case ScreenLayoutKind::Spectrum:
            return kSpectrum;
        case ScreenLayoutKind::Constellation:
            return kConstellation;
        case ScreenLayoutKind::ConstellationMore:
            return kConstellationMore;
    }
    return {};
}

std::string_view LayoutName(ScreenLayoutKind kind) {
    switch (kind) {
        case ScreenLayoutKind::SatelliteFinding:
            return "satellite finding";
        case ScreenLayoutKind::Measure:
            return "measure";
        case ScreenLayoutKind::Spectrum:
            return "spectrum";
        case ScreenLayoutKind::Constellation:
            return "constellation";
        case ScreenLayoutKind::ConstellationMore:
            return "constellation more";
    }
    return {};
}

bool IsRegionName(std::string_view name) {
    return std::ranges::any_of(kAllLayouts, [name](ScreenLayoutKind kind) {
        return std::ranges::any_of(
            RegionsOf(kind), [name](const NamedRegion& region) { return region.name == name; });
    });
}

}  // namespace quorvel
