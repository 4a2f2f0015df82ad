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

bool Contains(const std::vector<std::u16string>& texts, std::u16string_view text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// Where `colour` appears, and whether it appears only inside `box`.
struct ColourSpread {
    int inside = 0;
    int outside = 0;
};
ColourSpread Spread(const QImage& screen, QRgb colour, IntRect box) {
    ColourSpread spread;
    for (int y = 0; y < screen.height(); ++y) {
        for (int x = 0; x < screen.width(); ++x) {
            if (screen.pixel(x, y) != colour) continue;
            const bool in = x >= box.x && x < box.x + box.w && y >= box.y && y < box.y + box.h;
            ++(in ? spread.inside : spread.outside);
        }
    }
    return spread;
}

IntRect Whole(RectF box) {
    return {int(box.x), int(box.y), int(box.w), int(box.h)};
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

    for (auto [y, colour] : {std::pair{77, kGrey}, {78, kRuleBlue}, {79, kRuleBlue}, {80, kGrey},
                             {299, kGrey}, {300, kRuleBlue}, {304, kRuleBlue}, {305, kWhite},
                             {639, kWhite}, {640, kRuleBlue}, {641, kRuleBlue}, {642, kGrey}}) {
        EXPECT_EQ(s.pixel(5, y), colour) << "y " << y;
    }
    EXPECT_EQ(s.pixel(49, 158), kGrey);
    EXPECT_EQ(s.pixel(50, 158), kRuleBlue);
    EXPECT_EQ(s.pixel(1229, 228), kRuleBlue);
    EXPECT_EQ(s.pixel(1230, 228), kGrey);
    EXPECT_EQ(s.pixel(600, 229), kGrey);
    // 255 % of the track runs past the screen's edge; 0 % leaves the grey track alone.
    EXPECT_EQ(s.pixel(219, 530), kWhite);
    EXPECT_EQ(s.pixel(220, 525), kBarRed);
    EXPECT_EQ(s.pixel(1279, 554), kBarRed);
    EXPECT_EQ(s.pixel(1279, 555), kWhite);
    EXPECT_EQ(s.pixel(220, 595), kGrey);
    EXPECT_EQ(s.pixel(1079, 624), kGrey);
    EXPECT_EQ(s.pixel(1080, 600), kWhite);

    const ColourSpread lock = Spread(s, kGreen, Whole(satellite_finding::kLockBox));
    EXPECT_GT(lock.inside, 500);
    EXPECT_EQ(lock.outside, 0);

    const auto ops = scene.Record();
    const auto texts = test::Texts(ops);
    for (std::u16string_view text : {u"255 %", u"00 %", u"-12 dBm", u"-12.3 dB", u"77/90",
                                     u"<1.0E-9", u"11778/V/27500", u"LOCK", u"PER:"}) {
        EXPECT_TRUE(Contains(texts, text)) << std::string(text.begin(), text.end());
    }
    const auto icons = test::OpsOf<ImageOp>(ops);
    ASSERT_EQ(icons.size(), 3u);
    EXPECT_EQ(icons[0].icon, IconId::Battery);
    EXPECT_EQ((IntPoint{icons[0].x, icons[0].y}), (IntPoint{1200, 10}));
    EXPECT_EQ(icons[1].icon, IconId::Badge18V);
    EXPECT_EQ((IntPoint{icons[1].x, icons[1].y}), (IntPoint{1030, 20}));
    EXPECT_EQ(icons[2].icon, IconId::Badge22K);
    EXPECT_EQ((IntPoint{icons[2].x, icons[2].y}), (IntPoint{1080, 20}));
}

TEST(MeasureScreen, BandRuleBarsThirdRowAndTheLockWordPerFamilyAndLanguage) {
    Scene terrestrial(DvbType::Terrestrial);
    terrestrial.Add(EntryKind::Measure)
        .Set("strength", 100).Set("quality", 50).Set("locked", 0).Set("lnbVoltage", 1)
        .Set("frequency", 47400).Set("symbolRateOrBandwidth", 2).Set("perMantissa", 25)
        .Set("perExponent", 4);
    terrestrial.Show(Category::Measure);
    const QImage s = terrestrial.Paint();
    for (auto [y, colour] : {std::pair{367, kGrey}, {368, kRuleBlue}, {372, kRuleBlue},
                             {373, kWhite}, {639, kWhite}, {640, kRuleBlue}}) {
        EXPECT_EQ(s.pixel(5, y), colour) << "y " << y;
    }
    EXPECT_EQ(s.pixel(50, 298), kRuleBlue);
    EXPECT_EQ(s.pixel(50, 297), kGrey);
    EXPECT_EQ(s.pixel(240, 545), kBarRed);
    EXPECT_EQ(s.pixel(1099, 574), kBarRed);
    EXPECT_EQ(s.pixel(1100, 560), kWhite);
    EXPECT_EQ(s.pixel(239, 560), kWhite);
    EXPECT_EQ(s.pixel(669, 600), kBarRed);
    EXPECT_EQ(s.pixel(670, 600), kGrey);
    // "UNLOCK" is wider than its box: it wraps inside the word and never leaves the box.
    const ColourSpread unlock = Spread(s, kRed, Whole(measure_screen::kLockBox));
    EXPECT_GT(unlock.inside, 500);
    EXPECT_EQ(unlock.outside, 0);
    const auto texts = test::Texts(terrestrial.Record());
    for (std::u16string_view text : {u"Terrestrial > Measure", u"474.00 MHz", u"7 MHz",
                                     u"2.5E-4", u"<1.0E-9", u"UNLOCK"}) {
        EXPECT_TRUE(Contains(texts, text)) << std::string(text.begin(), text.end());
    }

    Scene cable(DvbType::Cable);
    cable.Add(EntryKind::Measure).Set("locked", 7).Set("frequency", 12345).Set(
        "symbolRateOrBandwidth", 6900);
    cable.state.language = Language::French;
    cable.Show(Category::Measure);
    const auto cableTexts = test::Texts(cable.Record());
    for (std::u16string_view text : {u"Cable > Measure", u"123.45 MHz", u"6900", u"bloquer",
                                     u"force", u"qualit\u00e9"}) {
        EXPECT_TRUE(Contains(cableTexts, text)) << std::string(text.begin(), text.end());
    }
    const ColourSpread lock = Spread(cable.Paint(), kGreen, Whole(measure_screen::kLockBox));
    EXPECT_GT(lock.inside, 300);
    EXPECT_EQ(lock.outside, 0);
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
    EXPECT_EQ(s.pixel(5, 58), kRuleBlue);
    EXPECT_EQ(s.pixel(5, 60), kGrey);
    EXPECT_EQ(s.pixel(100, 70), kBlack);
    EXPECT_EQ(s.pixel(99, 300), kGrey);
    EXPECT_EQ(s.pixel(999, 649), kBlack);
    EXPECT_EQ(s.pixel(1000, 300), kGrey);
    // 45 dBuV on a plot whose bottom line is 40: 5 of its 25 dB, 116 pixels above y 650.
    EXPECT_EQ(s.pixel(300, 534), kGreen);
    EXPECT_EQ(s.pixel(300, 533), kBlack);
    EXPECT_EQ(s.pixel(932, 600), kGreen);
    EXPECT_EQ(s.pixel(934, 600), kBlack);
    EXPECT_EQ(s.pixel(300, 186), kGridGrey);
    EXPECT_EQ(s.pixel(300, 185), kBlack);
    EXPECT_EQ(s.pixel(90, 72), kGridGrey);   // every fifth tick is long
    EXPECT_EQ(s.pixel(93, 95), kGrey);
    EXPECT_EQ(s.pixel(94, 95), kGridGrey);
    // The translucent cursor column, three pixels wide around x 500.
    EXPECT_EQ(s.pixel(498, 300), kBlack);
    EXPECT_NE(s.pixel(499, 300), kBlack);
    EXPECT_EQ(s.pixel(499, 300), s.pixel(501, 300));
    EXPECT_EQ(s.pixel(502, 300), kBlack);
    EXPECT_NE(s.pixel(500, 600), kGreen);

    const auto ops = scene.Record();
    EXPECT_EQ(scene.readout, "[ 1520MHz : 45dBuV ]");
    const auto texts = test::Texts(ops);
    for (std::u16string_view text : {u"Satellite > Spectrum Analyzer", u"950 MHz", u"2150 MHz",
                                     u"1200 MHz", u"65535 dBuV", u"40", u"65"}) {
        EXPECT_TRUE(Contains(texts, text)) << std::string(text.begin(), text.end());
    }
    const auto icons = test::OpsOf<ImageOp>(ops);
    ASSERT_EQ(icons.size(), 3u);
    EXPECT_EQ((IntPoint{icons[0].x, icons[0].y}), (IntPoint{1200, 0}));
    EXPECT_EQ((IntPoint{icons[1].x, icons[1].y}), (IntPoint{1020, 10}));
    EXPECT_EQ(icons[2].icon, IconId::KeyExit);
    EXPECT_EQ((IntPoint{icons[2].x, icons[2].y}), (IntPoint{1000, 660}));
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
    EXPECT_TRUE(test::OpsOf<FillPolygonOp>(ops).empty());
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
    const QImage s = scene.Paint();
    EXPECT_EQ(s.pixel(600, 690), kPointGrey);
    EXPECT_EQ(s.pixel(601, 691), kPointGrey);
    EXPECT_EQ(s.pixel(602, 690), kBlack);
    EXPECT_EQ(s.pixel(601, 120), kBlack);   // x 601 is past the limit
    EXPECT_EQ(s.pixel(0, 691), kBlack);     // y 571 too
    EXPECT_EQ(s.pixel(10, 20), kPointGrey); // above the field, over the title area
    EXPECT_EQ(s.pixel(300, 420), kPointGrey);
    EXPECT_EQ(s.pixel(649, 719), kBlack);
    EXPECT_EQ(s.pixel(650, 719), kGrey);
    EXPECT_EQ(s.pixel(5, 89), kGrey);
    EXPECT_EQ(s.pixel(5, 90), kBlack);
    const auto texts = test::Texts(scene.Record());
    EXPECT_TRUE(Contains(texts, u"Cable > Constellation Analyzer"));
    EXPECT_TRUE(Contains(texts, u"\u00dcber Name"));  // frequency 0: the entry's own name
}

TEST(ConstellationScreen, F1RepaintsTheBandOnlyAndAFullRepaintGivesTheSamePixels) {
    Scene scene = ConstellationScene();
    scene.state.language = Language::French;
    const QImage diagram = scene.Paint();
    scene.state.showMore = true;
    const QImage more = scene.Paint(QRegion(ToQRect(constellation::kMoreBand)));
    EXPECT_EQ(more.copy(0, 0, 1280, 240), diagram.copy(0, 0, 1280, 240));
    EXPECT_EQ(scene.Paint(), more);
    // Strength 150 % of the 820-pixel track runs off the screen; quality 0 leaves it white.
    EXPECT_EQ(more.pixel(260, 585), kBarTeal);
    EXPECT_EQ(more.pixel(1279, 614), kBarTeal);
    EXPECT_EQ(more.pixel(1279, 615), kGrey);
    EXPECT_EQ(more.pixel(260, 515), kWhite);
    EXPECT_EQ(more.pixel(1079, 544), kWhite);
    EXPECT_EQ(more.pixel(1080, 530), kGrey);
    EXPECT_EQ(more.pixel(50, 310), kRuleBlue);
    EXPECT_EQ(more.pixel(50, 311), kGrey);
    const auto texts = test::Texts(scene.Record());
    for (std::u16string_view text : {u"nom", u"---40 dBm", u"150 %", u"00 %", u"force"}) {
        EXPECT_TRUE(Contains(texts, text)) << std::string(text.begin(), text.end());
    }
    scene.state.showMore = false;
    EXPECT_EQ(scene.Paint(QRegion(ToQRect(constellation::kMoreBand))), diagram);
}

TEST(PaintDispatch, EmptyFamiliesAreBlackAndAnInvalidSelectionDrawsTheFirstLine) {
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
        const auto ops = scene.Record();
        ASSERT_EQ(ops.size(), 1u);
        const auto* fill = std::get_if<FillRectOp>(&ops[0]);
        ASSERT_NE(fill, nullptr);
        EXPECT_EQ(fill->colour, kBlack);
        EXPECT_EQ(fill->rect, kWholeScreen);
    }
}

}  // namespace
}  // namespace quorvel
