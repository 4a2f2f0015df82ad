// Satellite Finding screen: recorded passes checked for values, places, conditions and order.
#include <gtest/gtest.h>

#include "render/SatelliteFindingScreen.h"
#include "tests/render/MeasureTestSupport.h"

namespace quorvel {
namespace {

using namespace test;

constexpr std::uint8_t kSatellite = 2;

std::vector<CanvasOp> Record(const MeasureBytes& bytes, Language language = Language::English) {
    RecordingCanvas canvas;
    DrawSatelliteFinding(canvas, MeasureEntry(bytes.View()), language);
    return canvas.Ops();
}

TEST(SatelliteFindingScreen, TypicalEntryPutsEachFieldBesideItsLabel) {
    const auto ops = Record(TypicalMeasureEntry(kSatellite));
    ExpectTexts(ops, {
                         {660, 103, "Astra 1KR", kBlack},
                         {660, 170, "11778/V/27500", kBlack},
                         {660, 240, "OK", kBlack},
                         {360, 310, "DVB-S2/8PSK 12603/22000 019.2\u00B0 E", kBlack},
                         {530, 380, "PER:", kBlack},
                         {650, 380, "-65 dBm", kOrange},
                         {900, 380, "C/N:", kBlack},
                         {1000, 380, "12.3 dB", kOrange},
                         {530, 450, "FEC:", kBlack},
                         {650, 450, "3/4", kOrange},
                         {900, 450, "BER:", kBlack},
                         {1000, 450, "2.3E-5", kOrange},
                         {1100, 510, "87 %", kOrange},
                         {1100, 580, "64 %", kOrange},
                     });
    // The packet error rate (4.1E-7) has no place on this screen.
    for (const DrawnText& text : TextsOf(ops)) EXPECT_NE(text.text, "4.1E-7");
}

TEST(SatelliteFindingScreen, AllZeroEntryStillDrawsEveryElement) {
    const auto ops = Record(ZeroMeasureEntry(kSatellite));
    EXPECT_EQ(ops.size(), 33u);  // 35 elements less the two badges
    ExpectTexts(ops, {
                         {660, 103, "", kBlack},
                         {660, 170, "00000/H/00000", kBlack},
                         {360, 310, "DVB-T/16-QAM 00000/00000 000.0\u00B0 W", kBlack},
                         {650, 380, "0 dBm", kOrange},
                         {1000, 380, "00.0 dB", kOrange},
                         {650, 450, "1/2", kOrange},
                         {1000, 450, "<1.0E-9", kOrange},
                         {1100, 510, "00 %", kOrange},
                         {1100, 580, "00 %", kOrange},
                     });
}

TEST(SatelliteFindingScreen, LayersFromBackgroundToLockWord) {
    const auto ops = Record(TypicalMeasureEntry(kSatellite));
    ASSERT_EQ(ops.size(), 35u);

    const auto fills = OpsOf<FillRectOp>(ops);
    ASSERT_EQ(fills.size(), 11u);
    EXPECT_EQ(fills[0].colour, kGrey);
    EXPECT_EQ(fills[0].rect, (IntRect{0, 0, kScreenWidth, kScreenHeight}));
    EXPECT_EQ(fills[1].colour, kWhite);
    EXPECT_EQ(fills[1].rect, (IntRect{0, 300, 1280, 340}));
    // Grey tracks, then the bars over them, then the blue rules over everything filled so far.
    EXPECT_EQ(fills[2].colour, kGrey);
    EXPECT_EQ(fills[3].colour, kGrey);
    EXPECT_EQ(fills[2].rect, (IntRect{220, 525, 860, 30}));
    EXPECT_EQ(fills[3].rect, (IntRect{220, 595, 860, 30}));
    EXPECT_EQ(fills[4].colour, kBar);
    EXPECT_EQ(fills[5].colour, kBar);
    for (std::size_t i = 6; i < fills.size(); ++i) EXPECT_EQ(fills[i].colour, kBlue) << i;
    EXPECT_EQ(fills[9].rect, (IntRect{0, 300, 1280, 5}));  // the white band's upper edge

    // Fills, then icons, then texts; each kind in one run.
    EXPECT_EQ(OpKinds(ops),
              std::string(11, 'F') + "III" + "TTTT" + "BBBB" + std::string(12, 'T') + "B");
    ExpectPlainTextsBeforeTheLockWord(ops);
}

TEST(SatelliteFindingScreen, FrenchWordsReplaceEveryTranslatedLabel) {
    const auto ops = Record(TypicalMeasureEntry(kSatellite), Language::French);
    ExpectTexts(ops, {
                         {50, 20, "Satellite > Satellite Finding", kBlack},
                         {60, 100, "Satellite", kBlack},
                         {60, 170, "transpondeur", kBlack},
                         {60, 240, "recherche", kBlack},
                         {30, 510, "force", kBlack},
                         {30, 580, "qualit\u00E9", kBlack},
                     });
}

TEST(SatelliteFindingScreen, ServiceLineEndsWithTheOrbitalPosition) {
    const struct {
        std::uint16_t position;
        const char* line;
    } cases[] = {
        {0x8192, "DVB-S2/8PSK 12603/22000 019.2\u00B0 E"},
        {0x0300, "DVB-S2/8PSK 12603/22000 030.0\u00B0 W"},
        {0xFFFF, "DVB-S2/8PSK 12603/22000"},
        {0x8000, "DVB-S2/8PSK 12603/22000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        const auto ops =
            Record(TypicalMeasureEntry(kSatellite).U16(field::kOrbitalPosition, c.position));
        EXPECT_EQ(TextAt(ops, 360, 310), c.line);
    }
}

TEST(SatelliteFindingScreen, PolarisationLetterIsVOnlyForOne) {
    const struct {
        std::uint8_t polarisation;
        const char* text;
    } cases[] = {
        {0, "11778/H/27500"}, {1, "11778/V/27500"}, {2, "11778/H/27500"}, {255, "11778/H/27500"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.polarisation);
        const auto ops =
            Record(TypicalMeasureEntry(kSatellite).U8(field::kPolarisation, c.polarisation));
        EXPECT_EQ(TextAt(ops, 660, 170), c.text);
    }
}

QImage Painted(const MeasureBytes& bytes) {
    return PaintedScreen([&](Canvas& canvas) {
        DrawSatelliteFinding(canvas, MeasureEntry(bytes.View()), Language::English);
    });
}

TEST(SatelliteFindingPixels, BandEdgesAndRules) {
    const QImage screen = Painted(ZeroMeasureEntry(kSatellite));
    const struct {
        int y;
        QRgb colour;
    } column[] = {{77, kGrey},  {78, kBlue},  {79, kBlue},  {80, kGrey},   {157, kGrey},
                  {299, kGrey}, {300, kBlue}, {304, kBlue}, {305, kWhite}, {639, kWhite},
                  {640, kBlue}, {641, kBlue}, {642, kGrey}, {719, kGrey}};
    for (const auto& probe : column) EXPECT_EQ(screen.pixel(5, probe.y), probe.colour) << probe.y;
    EXPECT_EQ(screen.pixel(49, 158), kGrey);  // row rules span x 50 to 1229
    EXPECT_EQ(screen.pixel(50, 158), kBlue);
    EXPECT_EQ(screen.pixel(1229, 228), kBlue);
    EXPECT_EQ(screen.pixel(1230, 228), kGrey);
}

}  // namespace
}  // namespace quorvel
