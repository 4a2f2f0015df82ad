// Terrestrial and Cable Measure screen: recorded passes checked for values, places and order.
#include <gtest/gtest.h>

#include "render/MeasureScreen.h"
#include "tests/render/MeasureTestSupport.h"

namespace quorvel {
namespace {

using namespace test;

MeasureBytes TerrestrialEntry() {
    return TypicalMeasureEntry(1)
        .Text(field::kTargetName, "CH 21    ")
        .U32(field::kFrequency, 47400)
        .U16(field::kSymbolRateOrBandwidth, 2);
}

std::vector<CanvasOp> Record(const MeasureBytes& bytes, DvbType dvbType,
                             Language language = Language::English) {
    RecordingCanvas canvas;
    DrawMeasure(canvas, MeasureEntry(bytes.View()), language, dvbType);
    return canvas.Ops();
}

TEST(MeasureScreen, TypicalEntryPutsEachFieldBesideItsLabel) {
    const auto ops = Record(TerrestrialEntry(), DvbType::Terrestrial);
    ExpectTexts(ops, {
                         {50, 20, "Terrestrial > Measure", kBlack},
                         {660, 103, "CH 21    ", kBlack},
                         {660, 170, "474.00 MHz", kBlack},
                         {660, 240, "7 MHz", kBlack},
                         {660, 310, "OK", kBlack},
                         {80, 400, "Level:", kBlack},
                         {220, 400, "-65 dBm", kOrange},
                         {80, 460, "C/N:", kBlack},
                         {220, 460, "12.3 dB", kOrange},
                         {900, 400, "BER:", kBlack},
                         {1040, 400, "2.3E-5", kOrange},
                         {900, 460, "PER:", kBlack},
                         {1040, 460, "4.1E-7", kOrange},
                         {1130, 530, "87 %", kOrange},
                         {1130, 580, "64 %", kOrange},
                     });
    // Satellite-only values (code rate 3/4, the service line) have no place here.
    for (const DrawnText& text : TextsOf(ops)) {
        EXPECT_NE(text.text, "3/4");
        EXPECT_EQ(text.text.find("DVB-"), std::string::npos) << text.text;
    }
}

TEST(MeasureScreen, AllZeroEntryStillDrawsEveryElement) {
    for (const DvbType family : {DvbType::Terrestrial, DvbType::Cable}) {
        SCOPED_TRACE(static_cast<int>(family));
        const auto ops = Record(ZeroMeasureEntry(static_cast<std::uint8_t>(family)), family);
        EXPECT_EQ(ops.size(), 35u);  // 37 elements less the two badges
        ExpectTexts(ops, {
                             {660, 103, "", kBlack},
                             {660, 170, "0.00 MHz", kBlack},
                             {660, 240, family == DvbType::Terrestrial ? "1.7 MHz" : "0", kBlack},
                             {220, 400, "0 dBm", kOrange},
                             {220, 460, "00.0 dB", kOrange},
                             {1040, 400, "<1.0E-9", kOrange},
                             {1040, 460, "<1.0E-9", kOrange},
                             {1130, 530, "00 %", kOrange},
                             {1130, 580, "00 %", kOrange},
                         });
    }
}

TEST(MeasureScreen, LayersFromBackgroundToLockWord) {
    const auto ops = Record(TerrestrialEntry(), DvbType::Terrestrial);
    ASSERT_EQ(ops.size(), 37u);

    const auto fills = OpsOf<FillRectOp>(ops);
    ASSERT_EQ(fills.size(), 12u);
    EXPECT_EQ(fills[0].rect, (IntRect{0, 0, kScreenWidth, kScreenHeight}));
    EXPECT_EQ(fills[0].colour, kGrey);
    EXPECT_EQ(fills[1].rect, (IntRect{0, 370, 1280, 270}));
    EXPECT_EQ(fills[1].colour, kWhite);
    EXPECT_EQ(RectsIn(ops, kGrey),
              (std::vector<IntRect>{
                  {0, 0, kScreenWidth, kScreenHeight}, {240, 545, 860, 30}, {240, 595, 860, 30}}));
    EXPECT_EQ(fills[4].colour, kBar);
    EXPECT_EQ(fills[5].colour, kBar);
    // Four row rules and both band edges, all after the band so the upper edge covers its top.
    EXPECT_EQ(RectsIn(ops, kBlue), (std::vector<IntRect>{{0, 78, 1280, 2},
                                                         {50, 158, 1180, 1},
                                                         {50, 228, 1180, 1},
                                                         {50, 298, 1180, 1},
                                                         {0, 368, 1280, 5},
                                                         {0, 640, 1280, 2}}));
    for (std::size_t i = 6; i < fills.size(); ++i) EXPECT_EQ(fills[i].colour, kBlue) << i;

    EXPECT_EQ(OpKinds(ops),
              std::string(12, 'F') + "III" + "TTTT" + "BBB" + "TB" + std::string(12, 'T') + "B");
    ExpectPlainTextsBeforeTheLockWord(ops);
}

TEST(MeasureScreen, TitleAndThirdRowFollowTheBroadcastFamily) {
    const struct {
        DvbType family;
        std::uint16_t field;
        const char* title;
        const char* thirdRow;
    } cases[] = {
        {DvbType::Terrestrial, 2, "Terrestrial > Measure", "7 MHz"},
        {DvbType::Terrestrial, 3, "Terrestrial > Measure", "8 MHz"},
        {DvbType::Terrestrial, 5, "Terrestrial > Measure", "5 M"},
        {DvbType::Terrestrial, 6900, "Terrestrial > Measure", "8 MHz"},
        {DvbType::Cable, 6900, "Cable > Measure", "6900"},
        {DvbType::Cable, 2, "Cable > Measure", "2"},
        {DvbType::Cable, 65535, "Cable > Measure", "65535"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.family) << " " << c.field);
        const auto ops =
            Record(TerrestrialEntry().U16(field::kSymbolRateOrBandwidth, c.field), c.family);
        EXPECT_EQ(TextAt(ops, 50, 20), c.title);
        EXPECT_EQ(TextAt(ops, 60, 240), "Band Width");
        EXPECT_EQ(TextAt(ops, 660, 240), c.thirdRow);
    }
}

TEST(MeasureScreen, FrequencyIsTenKilohertzStepsAsUnsigned) {
    const struct {
        std::uint32_t frequency;
        const char* text;
    } cases[] = {{0, "0.00 MHz"},
                 {5, "0.05 MHz"},
                 {12345, "123.45 MHz"},
                 {86200, "862.00 MHz"},
                 {100, "1.00 MHz"},
                 {2147483648u, "21474836.48 MHz"},
                 {0xFFFFFFFF, "42949672.95 MHz"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.frequency);
        const auto ops =
            Record(TerrestrialEntry().U32(field::kFrequency, c.frequency), DvbType::Cable);
        EXPECT_EQ(TextAt(ops, 660, 170), c.text);
    }
}

TEST(MeasureScreen, MissingPacketErrorRateKeepsItsLabel) {
    const auto ops = Record(TerrestrialEntry().I32(field::kPerMantissa, -1), DvbType::Terrestrial);
    EXPECT_EQ(TextAt(ops, 900, 460), "PER:");
    EXPECT_EQ(TextAt(ops, 1040, 460), "");
    EXPECT_EQ(TextAt(ops, 1040, 400), "2.3E-5");
}

TEST(MeasureScreen, FrenchWordsReplaceEveryTranslatedLabel) {
    const auto ops = Record(TerrestrialEntry(), DvbType::Terrestrial, Language::French);
    ExpectTexts(ops, {
                         {60, 310, "recherche", kBlack},
                         {30, 530, "force", kBlack},
                         {30, 580, "qualit\u00E9", kBlack},
                         {60, 100, "Channel No.", kBlack},
                     });
}

QImage Painted(const MeasureBytes& bytes, DvbType dvbType) {
    return PaintedScreen([&](Canvas& canvas) {
        DrawMeasure(canvas, MeasureEntry(bytes.View()), Language::English, dvbType);
    });
}

TEST(MeasurePixels, UpperBandEdgeCoversTheBandsFirstRows) {
    const QImage screen = Painted(TerrestrialEntry(), DvbType::Terrestrial);
    const struct {
        int y;
        QRgb colour;
    } column[] = {{297, kGrey},  {367, kGrey},  {368, kBlue}, {370, kBlue}, {372, kBlue},
                  {373, kWhite}, {639, kWhite}, {640, kBlue}, {641, kBlue}, {642, kGrey}};
    for (const auto& probe : column) EXPECT_EQ(screen.pixel(5, probe.y), probe.colour) << probe.y;
    EXPECT_EQ(screen.pixel(49, 298), kGrey);  // the fourth row rule spans x 50 to 1229
    EXPECT_EQ(screen.pixel(50, 298), kBlue);
    EXPECT_EQ(screen.pixel(1229, 298), kBlue);
}

}  // namespace
}  // namespace quorvel
