// A few pixels and texts per screen family that pin what the golden table cannot judge: limits,
// zero, 255 and negative values, clipping, and which family and entry gets drawn.
#include <gtest/gtest.h>

#include <algorithm>

#include "render/ScreenLayout.h"
#include "tests/render/Scene.h"

namespace quorvel {
namespace {

using namespace palette;
using test::Scene;

constexpr QRgb kGrey = kPanelGrey;

struct Probe {
    int x, y;
    QRgb colour;
};

void ExpectPixels(const QImage& screen, std::initializer_list<Probe> probes) {
    for (const Probe& p : probes) EXPECT_EQ(screen.pixel(p.x, p.y), p.colour) << p.x << "," << p.y;
}

void ExpectTexts(const DisplayList& list, std::initializer_list<std::u16string_view> wanted) {
    const std::vector<std::u16string> texts = test::Texts(list);
    for (std::u16string_view text : wanted) {
        EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end())
            << std::string(text.begin(), text.end());
    }
}

// Every pixel of `colour` lies inside `box`, and there are more than `atLeast` of them.
void ExpectOnlyInside(const QImage& screen, QRgb colour, RectF box, int atLeast) {
    int inside = 0, outside = 0;
    for (int y = 0; y < screen.height(); ++y) {
        for (int x = 0; x < screen.width(); ++x) {
            if (screen.pixel(x, y) != colour) continue;
            const bool in = x >= box.x && x < box.x + box.w && y >= box.y && y < box.y + box.h;
            ++(in ? inside : outside);
        }
    }
    EXPECT_GT(inside, atLeast);
    EXPECT_EQ(outside, 0);
}

// The icons a pass drew, with where.
std::vector<std::tuple<IconId, int, int>> Icons(const DisplayList& list) {
    std::vector<std::tuple<IconId, int, int>> icons;
    for (const auto& [icon, colour] : test::OpsOf<IconShape>(list)) {
        icons.emplace_back(icon.icon, icon.at.x, icon.at.y);
    }
    return icons;
}

TEST(SatelliteFindingScreen, RulesBandBarsIconsAndValueTexts) {
    Scene scene(DvbType::Satellite);
    scene.Add(EntryKind::Measure)
        .Set("strength", 255).Set("quality", 0).Set("locked", 1).Set("lnbVoltage", 2)
        .Set("tone22k", 1).Set("levelDbm", -12).Set("carrierToNoise", -1234)
        .Set("fecIndex", 25).Set("berMantissa", 0).Set("polarisation", 1)
        .Set("frequency", 11778).Set("symbolRateOrBandwidth", 27500);
    scene.Show(Category::Measure);
    const QImage s = scene.Paint();
    // Rules, band and dial box edges; 255 % of the track runs past the screen's edge and 0 %
    // leaves the grey track alone.
    ExpectPixels(s, {{5, 77, kGrey},      {5, 78, kRuleBlue},    {5, 79, kRuleBlue},
                     {5, 80, kGrey},      {5, 299, kGrey},       {5, 300, kRuleBlue},
                     {5, 304, kRuleBlue}, {5, 305, kWhite},      {5, 639, kWhite},
                     {5, 640, kRuleBlue}, {5, 641, kRuleBlue},   {5, 642, kGrey},
                     {49, 158, kGrey},    {50, 158, kRuleBlue},  {1229, 228, kRuleBlue},
                     {1230, 228, kGrey},  {600, 229, kGrey},     {219, 530, kWhite},
                     {220, 525, kBarRed}, {1279, 554, kBarRed},  {1279, 555, kWhite},
                     {220, 595, kGrey},   {1079, 624, kGrey},    {1080, 600, kWhite}});
    ExpectOnlyInside(s, kGreen, satellite_finding::kLockBox, 500);

    const auto ops = scene.Record();
    ExpectTexts(ops, {u"255 %", u"00 %", u"-12 dBm", u"-12.3 dB", u"77/90", u"<1.0E-9",
                      u"11778/V/27500", u"LOCK", u"PER:"});
    EXPECT_EQ(Icons(ops), (std::vector<std::tuple<IconId, int, int>>{
                              {IconId::Battery, 1200, 10},
                              {IconId::Badge18V, 1030, 20},
                              {IconId::Badge22K, 1080, 20}}));
}

TEST(MeasureScreen, BandRuleBarsThirdRowAndTheLockWordPerFamilyAndLanguage) {
    Scene terrestrial(DvbType::Terrestrial);
    terrestrial.Add(EntryKind::Measure)
        .Set("strength", 100).Set("quality", 50).Set("locked", 0).Set("lnbVoltage", 1)
        .Set("frequency", 47400).Set("symbolRateOrBandwidth", 2).Set("perMantissa", 25)
        .Set("perExponent", 4);
    terrestrial.Show(Category::Measure);
    const QImage s = terrestrial.Paint();
    ExpectPixels(s, {{5, 367, kGrey},       {5, 368, kRuleBlue},  {5, 372, kRuleBlue},
                     {5, 373, kWhite},      {5, 639, kWhite},     {5, 640, kRuleBlue},
                     {50, 298, kRuleBlue},  {50, 297, kGrey},     {240, 545, kBarRed},
                     {1099, 574, kBarRed},  {1100, 560, kWhite},  {239, 560, kWhite},
                     {669, 600, kBarRed},   {670, 600, kGrey}});
    // "UNLOCK" is wider than its box: it wraps inside the word and never leaves the box.
    ExpectOnlyInside(s, kRed, measure_screen::kLockBox, 500);
    ExpectTexts(terrestrial.Record(), {u"Terrestrial > Measure", u"474.00 MHz", u"7 MHz",
                                       u"2.5E-4", u"<1.0E-9", u"UNLOCK"});

    Scene cable(DvbType::Cable);
    cable.Add(EntryKind::Measure).Set("locked", 7).Set("frequency", 12345).Set(
        "symbolRateOrBandwidth", 6900);
    cable.state.language = Language::French;
    cable.Show(Category::Measure);
    ExpectTexts(cable.Record(), {u"Cable > Measure", u"123.45 MHz", u"6900", u"bloquer",
                                 u"force", u"qualit\u00e9"});
    ExpectOnlyInside(cable.Paint(), kGreen, measure_screen::kLockBox, 300);
}

Scene SpectrumScene() {
    Scene scene(DvbType::Satellite);
    // 950 to 2150 MHz in 10 MHz steps: 120 samples, 7-pixel columns, the last one at x 933.
    EntryWriter sweep = scene.Add(EntryKind::Spectrum);
    sweep.Set("startMHz", 950).Set("currentMHz", 1200).Set("endMHz", 2150)
        .Set("currentLevel", 65535).Set("lnbVoltage", 1);
    for (std::size_t i = 0; i < 202; ++i) sweep.Set("levels", i < 120 ? 45 : 99, i);
    scene.Show(Category::Spectrum);
    return scene;
}

TEST(SpectrumScreen, PlotTraceGridScaleCursorAndReadout) {
    Scene scene = SpectrumScene();
    scene.state.cursorX = 500;
    const QImage s = scene.Paint();
    // Plot edges; 45 dBuV on a plot whose bottom line is 40 is 5 of its 25 dB, 116 pixels above
    // y 650; grid lines, every fifth tick long; the translucent cursor column, three pixels wide
    // around x 500, over black and over the trace.
    ExpectPixels(s, {{5, 58, kRuleBlue},  {5, 60, kGrey},      {100, 70, kBlack},
                     {99, 300, kGrey},    {999, 649, kBlack},  {1000, 300, kGrey},
                     {300, 534, kGreen},  {300, 533, kBlack},  {932, 600, kGreen},
                     {934, 600, kBlack},  {300, 186, kGridGrey}, {300, 185, kBlack},
                     {90, 72, kGridGrey}, {93, 95, kGrey},     {94, 95, kGridGrey},
                     {498, 300, kBlack},  {502, 300, kBlack}});
    EXPECT_NE(s.pixel(499, 300), kBlack);
    EXPECT_EQ(s.pixel(499, 300), s.pixel(501, 300));
    EXPECT_NE(s.pixel(500, 600), kGreen);

    const auto ops = scene.Record();
    EXPECT_EQ(scene.readout, "[ 1520MHz : 45dBuV ]");
    ExpectTexts(ops, {u"Satellite > Spectrum Analyzer", u"950 MHz", u"2150 MHz", u"1200 MHz",
                      u"65535 dBuV", u"40", u"65"});
    EXPECT_EQ(Icons(ops), (std::vector<std::tuple<IconId, int, int>>{
                              {IconId::Battery, 1200, 0},
                              {IconId::Badge13V, 1020, 10},
                              {IconId::KeyExit, 1000, 660}}));
}

TEST(SpectrumScreen, ReadoutStopsAtTheLastSampleAndBrokenSweepsDrawNoTrace) {
    Scene scene = SpectrumScene();
    scene.state.cursorX = 933;  // the last sample's column
    scene.Record();
    EXPECT_EQ(scene.readout, "[ 2140MHz : 45dBuV ]");
    scene.state.cursorX = 940;  // past the sweep: the column is drawn, nothing is read
    const QImage past = scene.Paint();
    scene.Record();
    EXPECT_EQ(scene.readout, "");
    EXPECT_NE(past.pixel(940, 300), kBlack);
    scene.state.referenceLevel = 75;  // every sample below the plot: held on its bottom line
    EXPECT_EQ(scene.Paint().pixel(300, 640), kBlack);

    Scene broken(DvbType::Terrestrial);
    broken.Add(EntryKind::Spectrum).Set("startMHz", 858).Set("endMHz", 862).Set("levels", 60, 0);
    broken.Show(Category::Spectrum);
    const auto ops = broken.Record();
    EXPECT_FALSE(broken.readout.has_value());
    EXPECT_TRUE(test::OpsOf<PolygonShape>(ops).empty());
}

Scene ConstellationScene() {
    Scene scene(DvbType::Cable);
    EntryWriter entry = scene.Add(EntryKind::Constellation);
    entry.Set("strength", 150).Set("quality", 0).Set("levelDbm", -40)
        .Text("displayName", u"\u00dcber Name");
    const std::pair<int, int> points[] = {{600, 570}, {601, 0}, {0, 571}, {10, -100}, {-5, -200}};
    for (std::size_t i = 0; i < 1000; ++i) {
        const auto [x, y] = i < std::size(points) ? points[i] : std::pair{300, 300};
        entry.Set("pointX", x, i).Set("pointY", y, i);
    }
    scene.Show(Category::Constellation);
    return scene;
}

TEST(ConstellationScreen, PointsUpToTheirLimitsWithNoLowerOneAndTheFieldAroundThem) {
    Scene scene = ConstellationScene();
    // x 601 and y 571 are past the limits; nothing stops a point above the field, over the title.
    ExpectPixels(scene.Paint(), {{600, 690, kPointGrey}, {601, 691, kPointGrey},
                                 {602, 690, kBlack},     {601, 120, kBlack},
                                 {0, 691, kBlack},       {10, 20, kPointGrey},
                                 {300, 420, kPointGrey}, {649, 719, kBlack},
                                 {650, 719, kGrey},      {5, 89, kGrey},
                                 {5, 90, kBlack}});
    // Frequency 0: the entry's own name.
    ExpectTexts(scene.Record(), {u"Cable > Constellation Analyzer", u"\u00dcber Name"});
}

TEST(ConstellationScreen, F1RepaintsTheBandOnlyAndAFullRepaintGivesTheSamePixels) {
    Scene scene = ConstellationScene();
    scene.state.language = Language::French;
    const QImage diagram = scene.Paint();
    scene.state.showMore = true;
    const QImage more = scene.Paint({constellation::kMoreBand});
    EXPECT_EQ(more.copy(0, 0, 1280, 240), diagram.copy(0, 0, 1280, 240));
    EXPECT_EQ(scene.Paint(), more);
    // Strength 150 % of the 820-pixel track runs off the screen; quality 0 leaves it white.
    ExpectPixels(more, {{260, 585, kBarTeal}, {1279, 614, kBarTeal}, {1279, 615, kGrey},
                        {260, 515, kWhite},   {1079, 544, kWhite},   {1080, 530, kGrey},
                        {50, 310, kRuleBlue}, {50, 311, kGrey}});
    ExpectTexts(scene.Record(), {u"nom", u"---40 dBm", u"150 %", u"00 %", u"force"});
    scene.state.showMore = false;
    EXPECT_EQ(scene.Paint({constellation::kMoreBand}), diagram);
}

TEST(ScreenRecording, EmptyFamiliesAreBlackAndAnInvalidSelectionDrawsTheFirstLine) {
    Scene scene(DvbType::Terrestrial);
    scene.Add(EntryKind::Measure, "First").Set("strength", 10);
    scene.Add(EntryKind::Measure, "Second").Set("strength", 90);
    scene.Show(Category::Measure, 0);
    const QImage first = scene.Paint();
    scene.Show(Category::Measure, 1);
    EXPECT_NE(scene.Paint(), first);
    for (int invalid : {-1, 2, 63}) {
        scene.Show(Category::Measure, invalid);
        EXPECT_EQ(scene.Paint(), first) << invalid;
    }
    for (Category empty : {Category::Spectrum, Category::Constellation, Category::None}) {
        scene.Show(empty);
        const auto fills = test::OpsOf<FillShape>(scene.Record());
        ASSERT_EQ(fills.size(), 1u);
        EXPECT_EQ(fills[0].second, kBlack);
        EXPECT_EQ(fills[0].first.rect, kWholeScreen);
    }
}

}  // namespace
}  // namespace quorvel
