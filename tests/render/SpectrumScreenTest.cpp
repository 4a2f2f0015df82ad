// The Spectrum Analyzer screen as recorded canvas operations: layout, trace, cursor and readout.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "render/Geometry.h"
#include "render/RecordingCanvas.h"
#include "render/SpectrumScreen.h"
#include "support/EntryBytes.h"
#include "tests/render/RecordedOps.h"

namespace quorvel {
namespace {

using Bytes = test::EntryBytes<SpectrumEntry::kSize>;
constexpr Argb kCursorColour = 0x64FF8000;

Bytes Sweep(std::int32_t startMHz, std::int32_t endMHz) {
    Bytes bytes;
    bytes.I32(32, startMHz).I32(36, 1234).I32(40, endMHz).U16(44, 0xFFFF);
    for (std::size_t i = 0; i < SpectrumEntry::kLevelCount; ++i) {
        bytes.U8(SpectrumEntry::kLevelsOffset + i, static_cast<std::uint8_t>(40 + i % 26));
    }
    return bytes;
}

struct Pass {
    RecordingCanvas canvas;
    std::optional<std::string> readout;
};

Pass Draw(const Bytes& bytes, SpectrumView view = {}, IntRect area = {0, 0, 1280, 720}) {
    Pass pass{RecordingCanvas(area), std::nullopt};
    pass.readout = DrawSpectrum(pass.canvas, SpectrumEntry(bytes.View()), view);
    return pass;
}

template <typename Op>
std::vector<Op> OpsOf(const RecordingCanvas& canvas) {
    return test::OpsOf<Op>(canvas.Ops());
}

std::vector<FillRectOp> FillsOf(const RecordingCanvas& canvas, Argb colour) {
    std::vector<FillRectOp> fills = OpsOf<FillRectOp>(canvas);
    std::erase_if(fills, [colour](const FillRectOp& op) { return op.colour != colour; });
    return fills;
}

std::u16string TextAt(const RecordingCanvas& canvas, PointF at) {
    for (const PointTextOp& op : OpsOf<PointTextOp>(canvas)) {
        if (op.at == at) return op.text;
    }
    return u"<none>";
}

TEST(SpectrumScreenTest, FrameLabelsAndValuesSitWhereTheMeterDrawsThem) {
    const Pass pass = Draw(Bytes(Sweep(-5, 2150)).U8(46, 1).U8(47, 2));
    const auto& ops = pass.canvas.Ops();
    ASSERT_FALSE(ops.empty());
    const auto* background = std::get_if<FillRectOp>(&ops.front());
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(background->colour, 0xFFE6E6E6);
    EXPECT_EQ(background->rect, (IntRect{0, 0, 1280, 720}));

    EXPECT_EQ(FillsOf(pass.canvas, 0xFF0080FF).at(0).rect, (IntRect{0, 58, 1280, 2}));
    EXPECT_EQ(FillsOf(pass.canvas, 0xFF000000).at(0).rect, (IntRect{100, 70, 900, 580}));

    EXPECT_EQ(TextAt(pass.canvas, {50, 10}), u"Satellite > Spectrum Analyzer");
    EXPECT_EQ(TextAt(pass.canvas, {1010, 80}), u"Start:");
    EXPECT_EQ(TextAt(pass.canvas, {1010, 200}), u"End:");
    EXPECT_EQ(TextAt(pass.canvas, {1010, 320}), u"Current:");
    EXPECT_EQ(TextAt(pass.canvas, {1010, 440}), u"Level:");
    EXPECT_EQ(TextAt(pass.canvas, {1060, 655}), u"More");
    EXPECT_EQ(TextAt(pass.canvas, {1020, 140}), u"-5 MHz");
    EXPECT_EQ(TextAt(pass.canvas, {1020, 260}), u"2150 MHz");
    EXPECT_EQ(TextAt(pass.canvas, {1020, 380}), u"1234 MHz");
    EXPECT_EQ(TextAt(pass.canvas, {1020, 500}), u"65535 dBuV");
    for (const PointTextOp& text : OpsOf<PointTextOp>(pass.canvas)) {
        EXPECT_EQ(text.font, kFontNormal);
        EXPECT_EQ(text.colour, text.at.x == 1020 ? 0xFFFF8000 : 0xFF000000) << text.at.y;
    }
}

TEST(SpectrumScreenTest, TitleFollowsTheBroadcastFamilyInEitherLanguage) {
    const std::pair<DvbType, std::u16string> titles[] = {
        {DvbType::Satellite, u"Satellite > Spectrum Analyzer"},
        {DvbType::Terrestrial, u"Terrestrial > Spectrum Analyzer"},
        {DvbType::Cable, u"Cable > Spectrum Analyzer"},
    };
    for (const auto& [dvbType, title] : titles) {
        for (Language language : {Language::English, Language::French}) {
            const Pass pass = Draw(Sweep(474, 858), {language, dvbType, 40, 101});
            EXPECT_EQ(TextAt(pass.canvas, {50, 10}), title);
        }
    }
}

TEST(SpectrumScreenTest, BadgesFollowVoltageCodeAndTone) {
    struct Case {
        std::uint8_t voltage, tone;
        std::vector<IconId> badges;
    };
    const Case cases[] = {
        {0, 0, {}},
        {1, 0, {IconId::Badge13V}},
        {2, 1, {IconId::Badge18V, IconId::Badge22K}},
        {3, 200, {IconId::Badge22K}},
    };
    for (const Case& c : cases) {
        const Pass pass = Draw(Bytes(Sweep(950, 2150)).U8(46, c.tone).U8(47, c.voltage));
        std::vector<IconId> badges;
        std::vector<IconId> always;
        for (const ImageOp& image : OpsOf<ImageOp>(pass.canvas)) {
            if (image.y == 10) {
                badges.push_back(image.icon);
                EXPECT_EQ(image.x, image.icon == IconId::Badge22K ? 1080 : 1020);
            } else {
                always.push_back(image.icon);
            }
        }
        EXPECT_EQ(badges, c.badges) << int(c.voltage) << "/" << int(c.tone);
        EXPECT_EQ(always, (std::vector<IconId>{IconId::Battery, IconId::KeyExit}));
    }
}

TEST(SpectrumScreenTest, ScaleNumbersGridAndTicksFollowTheReferenceLevel) {
    for (int reference : {40, 75}) {
        const Pass pass = Draw(Sweep(950, 2150), {.referenceLevel = std::uint8_t(reference)});
        const auto numbers = OpsOf<RectTextOp>(pass.canvas);
        ASSERT_EQ(numbers.size(), 6u);
        for (int k = 0; k < 6; ++k) {
            const RectTextOp& number = numbers[k];
            const std::string digits = std::to_string(reference + 5 * k);
            EXPECT_EQ(number.text, std::u16string(digits.begin(), digits.end()));
            EXPECT_EQ(number.box, (RectF{20, float(630 - 114 * k), 70, 30}));
            EXPECT_EQ(number.format, (TextFormat{Align::Far, Align::Near}));
            EXPECT_EQ(number.font, kFontScale);
            EXPECT_EQ(number.colour, 0xFF000000);
        }
    }
    const auto grey = FillsOf(Draw(Sweep(950, 2150)).canvas, 0xFFB4B4B4);
    ASSERT_EQ(grey.size(), 5u + 26u);
    for (int line = 0; line < 5; ++line) {
        EXPECT_EQ(grey[line].rect, (IntRect{100, 186 + 116 * line, 900, 2}));
    }
    for (int i = 0; i <= 25; ++i) {
        const IntRect expected =
            i % 5 == 0 ? IntRect{90, 72 + 23 * i, 10, 2} : IntRect{94, 72 + 23 * i, 6, 2};
        EXPECT_EQ(grey[5 + i].rect, expected) << "tick " << i;
    }
}

TEST(SpectrumScreenTest, TraceIsGreenAndDrawnBetweenTheScaleAndTheCursorColumn) {
    const Pass pass = Draw(Sweep(950, 2150));
    const auto& ops = pass.canvas.Ops();
    const auto trace = std::find_if(ops.begin(), ops.end(), [](const CanvasOp& op) {
        return std::holds_alternative<FillPolygonOp>(op);
    });
    ASSERT_NE(trace, ops.end());
    ASSERT_EQ(OpsOf<FillPolygonOp>(pass.canvas).size(), 1u);
    EXPECT_EQ(std::get<FillRectOp>(*(trace - 1)).rect, (IntRect{90, 647, 10, 2}));  // last tick
    ASSERT_EQ(trace + 2, ops.end());  // only the cursor column follows
    const FillPolygonOp& polygon = std::get<FillPolygonOp>(*trace);
    EXPECT_EQ(polygon.colour, 0xFF00FF00);
    ASSERT_EQ(polygon.points.size(), 122u);
    for (int i = 0; i < 120; ++i) EXPECT_EQ(polygon.points[i].x, 100 + 7 * i);
    EXPECT_EQ(polygon.points[3], (IntPoint{121, 581}));  // level 43
    EXPECT_EQ(polygon.points[120], (IntPoint{933, 650}));
    EXPECT_EQ(polygon.points[121], (IntPoint{100, 650}));

    const auto& cursor = std::get<FillRectOp>(ops.back());
    EXPECT_EQ(cursor.colour, kCursorColour);
    EXPECT_EQ(cursor.rect, (IntRect{100, 70, 3, 580}));
    EXPECT_EQ(pass.readout, "[ 950MHz : 40dBuV ]");
}

TEST(SpectrumScreenTest, ReadoutReachesPastTheLastPlottedSample) {
    const Pass pass = Draw(Bytes(Sweep(950, 2150)).U8(SpectrumEntry::kLevelsOffset + 128, 0xF6),
                           {.cursorX = 999});
    EXPECT_EQ(pass.readout, "[ 2230MHz : -10dBuV ]");
    EXPECT_EQ(FillsOf(pass.canvas, kCursorColour).at(0).rect, (IntRect{998, 70, 3, 580}));
}

struct FaultCase {
    const char* what;
    DvbType dvbType;
    std::int32_t start, end;
    int cursorX;
    std::size_t traceSamples;  // 0: no trace
    std::optional<std::string> readout;
};

TEST(SpectrumScreenTest, BrokenSweepsAndCursorsNeverReadOutsideTheEntry) {
    const FaultCase cases[] = {
        {"less than one step", DvbType::Satellite, 950, 959, 101, 0, std::nullopt},
        {"end below start", DvbType::Satellite, 2150, 950, 101, 0, std::nullopt},
        {"widest span", DvbType::Satellite, INT_MIN, INT_MAX, 101, 202,
         "[ -2147483648MHz : 40dBuV ]"},
        {"more than 202 samples", DvbType::Cable, 47, 47 + 5 * 300, 907, 202,
         "[ 1052MHz : 59dBuV ]"},
        {"index 202", DvbType::Cable, 47, 47 + 5 * 202, 908, 202, ""},
        {"index past the plot", DvbType::Cable, 47, 47 + 5 * 202, 999, 202, ""},
        {"cursor far right", DvbType::Satellite, 950, 2150, INT_MAX, 120, ""},
        {"cursor left of the plot", DvbType::Satellite, 950, 2150, 0, 120, std::nullopt},
        {"cursor far left", DvbType::Satellite, 950, 2150, INT_MIN, 120, std::nullopt},
        {"frequency past 32 bits", DvbType::Cable, INT_MAX - 1000, INT_MAX, 907, 200,
         "[ 2147483652MHz : 59dBuV ]"},
    };
    for (const FaultCase& c : cases) {
        const Pass pass = Draw(Sweep(c.start, c.end), {.dvbType = c.dvbType, .cursorX = c.cursorX});
        SCOPED_TRACE(c.what);
        const auto traces = OpsOf<FillPolygonOp>(pass.canvas);
        ASSERT_EQ(traces.size(), c.traceSamples == 0 ? 0u : 1u);
        if (!traces.empty()) {
            EXPECT_EQ(traces[0].points.size(), c.traceSamples + 2);
        }
        EXPECT_EQ(pass.readout, c.readout);
        const bool column = pass.readout.has_value() && !pass.readout->empty();
        EXPECT_EQ(FillsOf(pass.canvas, kCursorColour).size(), column ? 1u : 0u);
        EXPECT_EQ(TextAt(pass.canvas, {1010, 80}), u"Start:");  // the rest of the screen is drawn
        EXPECT_EQ(OpsOf<RectTextOp>(pass.canvas).size(), 6u);
    }
}

IntRect BoundsOf(const CanvasOp& op) {
    return std::visit(
        [](const auto& o) -> IntRect {
            using Op = std::decay_t<decltype(o)>;
            if constexpr (std::is_same_v<Op, FillRectOp>) {
                return o.rect;
            } else if constexpr (std::is_same_v<Op, FillPolygonOp>) {
                IntRect r{o.points[0].x, o.points[0].y, 1, 1};
                for (IntPoint p : o.points) {
                    const int right = std::max(r.x + r.w, p.x + 1),
                              bottom = std::max(r.y + r.h, p.y + 1);
                    r.x = std::min(r.x, p.x), r.y = std::min(r.y, p.y);
                    r.w = right - r.x, r.h = bottom - r.y;
                }
                return r;
            } else if constexpr (std::is_same_v<Op, RectTextOp>) {
                return {int(o.box.x), int(o.box.y), int(o.box.w), int(o.box.h)};
            } else if constexpr (std::is_same_v<Op, PointTextOp>) {
                return {int(o.at.x) - 10, int(o.at.y), 1280, 45};
            } else {
                return {o.x, o.y, 50, 58};  // no icon is larger
            }
        },
        op);
}

TEST(SpectrumScreenTest, PointerStripRepaintEmitsOnlyWhatTouchesTheStrip) {
    const Bytes bytes = Sweep(950, 2150);
    // The two strips of a pointer move from x 101 to x 500.
    for (IntRect strip : {IntRect{100, 70, 4, 580}, IntRect{499, 70, 4, 580}}) {
        const Pass pass = Draw(bytes, {.cursorX = 500}, strip);
        for (const CanvasOp& op : pass.canvas.Ops()) {
            // Icons always reach the canvas, which reports missing ones whatever the area.
            if (std::holds_alternative<ImageOp>(op)) continue;
            EXPECT_TRUE(Intersects(BoundsOf(op), strip))
                << "op " << op.index() << " at x " << strip.x;
        }
        EXPECT_TRUE(OpsOf<PointTextOp>(pass.canvas).empty());
        EXPECT_TRUE(OpsOf<RectTextOp>(pass.canvas).empty());
        EXPECT_EQ(OpsOf<FillPolygonOp>(pass.canvas).size(), 1u);  // the trace reaches both strips
        // The grid lines crossing the strip; the bottom line at y 650 and the ticks lie outside.
        EXPECT_EQ(FillsOf(pass.canvas, 0xFFB4B4B4).size(), 4u);
        EXPECT_EQ(FillsOf(pass.canvas, kCursorColour).size(), strip.x == 499 ? 1u : 0u);
        EXPECT_EQ(pass.readout, "[ 1520MHz : 45dBuV ]");  // the tip follows even when unseen
    }
}

TEST(SpectrumScreenTest, ScaleRepaintAreaRedrawsNumbersButNotThePanelValues) {
    const Pass pass = Draw(Sweep(950, 2150), {.referenceLevel = 45}, {20, 60, 1000, 600});
    EXPECT_EQ(OpsOf<RectTextOp>(pass.canvas).size(), 6u);
    EXPECT_EQ(OpsOf<RectTextOp>(pass.canvas).back().text, u"70");
    EXPECT_EQ(FillsOf(pass.canvas, 0xFFB4B4B4).size(), 31u);
    EXPECT_EQ(TextAt(pass.canvas, {50, 10}), u"<none>");
    EXPECT_EQ(TextAt(pass.canvas, {1060, 655}), u"<none>");
    EXPECT_EQ(TextAt(pass.canvas, {1010, 80}), u"Start:");  // its line reaches into the area
}

}  // namespace
}  // namespace quorvel
