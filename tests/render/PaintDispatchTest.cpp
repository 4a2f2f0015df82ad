// Which screen a paint pass draws for each state, and which list entry it draws.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/ConstellationScreen.h"
#include "render/MeasureScreen.h"
#include "render/PaintDispatch.h"
#include "render/RecordingCanvas.h"
#include "render/SatelliteFindingScreen.h"
#include "render/ScreenPainter.h"
#include "render/SpectrumScreen.h"
#include "tests/render/RecordedOps.h"

namespace quorvel {
namespace {

// Two passes compare as lists of one line per op.
std::vector<std::string> Describe(const RecordingCanvas& canvas) {
    return test::Describe(canvas.Ops());
}

// Distinct bytes in every entry, so drawing the wrong position or family shows in the ops.
template <std::size_t Size, std::size_t Positions>
void Fill(ViewList<Size, Positions>& list, std::size_t count, DvbType dvbType) {
    for (std::size_t k = 0; k < count; ++k) {
        auto& bytes = list.entries[k];
        for (std::size_t i = 0; i < Size; ++i)
            bytes[i] = static_cast<std::uint8_t>((k * 29 + i * 7) % 100);
        bytes[0] = static_cast<std::uint8_t>(dvbType);
        const std::string name = "Entry" + std::to_string(k);
        for (std::size_t i = 0; i < 30; ++i) bytes[1 + i] = i < name.size() ? name[i] : 0;
        list.names.push_back(name);
    }
}

Catalogue CatalogueWith(std::size_t measures, std::size_t spectra, std::size_t constellations,
                        DvbType dvbType) {
    Catalogue catalogue;
    Fill(catalogue.measure, measures, dvbType);
    Fill(catalogue.spectrum, spectra, dvbType);
    Fill(catalogue.constellation, constellations, dvbType);
    return catalogue;
}

const std::vector<std::string> kBlackScreen{"fill ff000000 0,0 1280x720"};

ScreenState StateFor(Category category, DvbType dvbType) {
    ScreenState state;
    state.category = category;
    state.dvbType = dvbType;
    state.language = Language::French;
    return state;
}

TEST(PaintDispatch, EmptyFamilyOrNoCategoryFillsTheScreenBlack) {
    struct Case {
        Category category;
        std::size_t measures, spectra, constellations;
    };
    const Case cases[] = {
        {Category::None, 2, 2, 2},
        {Category::Constellation, 3, 2, 0},  // other families' names do not count
        {Category::Measure, 0, 2, 2},
        {Category::Spectrum, 2, 0, 2},
    };
    for (const Case& c : cases) {
        const Catalogue catalogue =
            CatalogueWith(c.measures, c.spectra, c.constellations, DvbType::Satellite);
        RecordingCanvas canvas;
        const DispatchResult result =
            DispatchPaint(canvas, StateFor(c.category, DvbType::Satellite), catalogue);
        EXPECT_EQ(Describe(canvas), kBlackScreen) << static_cast<int>(c.category);
        EXPECT_FALSE(result.cursorTipText.has_value());
    }
}

TEST(PaintDispatch, MeasureFamilyPicksTheScreenByBroadcastFamily) {
    for (DvbType dvbType : {DvbType::Satellite, DvbType::Terrestrial, DvbType::Cable}) {
        const Catalogue catalogue = CatalogueWith(2, 0, 0, dvbType);
        ScreenState state = StateFor(Category::Measure, dvbType);
        state.measureSelection = 1;
        RecordingCanvas dispatched;
        DispatchPaint(dispatched, state, catalogue);

        RecordingCanvas direct;
        if (dvbType == DvbType::Satellite) {
            DrawSatelliteFinding(direct, catalogue.Measure(1), Language::French);
        } else {
            DrawMeasure(direct, catalogue.Measure(1), Language::French, dvbType);
        }
        EXPECT_EQ(Describe(dispatched), Describe(direct)) << static_cast<int>(dvbType);
        EXPECT_NE(Describe(dispatched), kBlackScreen);
    }
}

TEST(PaintDispatch, SpectrumGetsTheViewAndReturnsItsReadout) {
    const Catalogue catalogue = CatalogueWith(0, 3, 0, DvbType::Cable);
    ScreenState state = StateFor(Category::Spectrum, DvbType::Cable);
    state.spectrumSelection = 2;
    state.referenceLevel = 15;
    state.cursorX = 333;
    RecordingCanvas dispatched;
    const DispatchResult result = DispatchPaint(dispatched, state, catalogue);

    RecordingCanvas direct;
    const auto readout = DrawSpectrum(direct, catalogue.Spectrum(2),
                                      SpectrumView{Language::French, DvbType::Cable, 15, 333});
    EXPECT_EQ(Describe(dispatched), Describe(direct));
    EXPECT_EQ(result.cursorTipText, readout);
}

TEST(PaintDispatch, ConstellationGetsItsViewToggle) {
    const Catalogue catalogue = CatalogueWith(1, 1, 2, DvbType::Terrestrial);
    for (bool showMore : {false, true}) {
        ScreenState state = StateFor(Category::Constellation, DvbType::Terrestrial);
        state.constellationSelection = 1;
        state.showMore = showMore;
        RecordingCanvas dispatched;
        DispatchPaint(dispatched, state, catalogue);

        RecordingCanvas direct;
        DrawConstellation(direct, catalogue.Constellation(1), Language::French,
                          DvbType::Terrestrial, showMore);
        EXPECT_EQ(Describe(dispatched), Describe(direct)) << showMore;
    }
}

TEST(PaintDispatch, NoOrInvalidSelectionDrawsTheFirstEntry) {
    const Catalogue catalogue = CatalogueWith(3, 0, 0, DvbType::Satellite);
    RecordingCanvas first;
    DrawSatelliteFinding(first, catalogue.Measure(0), Language::French);
    RecordingCanvas second;
    DrawSatelliteFinding(second, catalogue.Measure(1), Language::French);
    ASSERT_NE(Describe(first), Describe(second));  // the entries must draw differently

    for (int selection : {-1, 3, 64, -7}) {
        ScreenState state = StateFor(Category::Measure, DvbType::Satellite);
        state.measureSelection = selection;
        RecordingCanvas dispatched;
        DispatchPaint(dispatched, state, catalogue);
        EXPECT_EQ(Describe(dispatched), Describe(first)) << selection;
    }
}

// The shared path: the region limits what changes, and missing icons come back to the caller.
TEST(PaintScreen, StartUpStateIsBlackAndPartialRepaintChangesOnlyItsRegion) {
    const Catalogue catalogue = CatalogueWith(1, 0, 0, DvbType::Satellite);
    QImage screen = NewScreenImage();
    EXPECT_EQ(screen.size(), QSize(kScreenWidth, kScreenHeight));
    EXPECT_EQ(screen.format(), QImage::Format_RGB32);
    EXPECT_EQ(screen.pixel(640, 360), 0xFF000000u);

    const ScreenState measure = StateFor(Category::Measure, DvbType::Satellite);
    const PaintResult result = PaintScreen(screen, QRegion(0, 240, 1280, 480), measure, catalogue);
    EXPECT_TRUE(result.missingIcons.empty());
    EXPECT_FALSE(result.cursorTipText.has_value());
    EXPECT_EQ(screen.pixel(5, 239), 0xFF000000u);  // above the region: still black
    EXPECT_NE(screen.pixel(5, 241), 0xFF000000u);

    QImage full = NewScreenImage();
    PaintScreen(full, QRegion(0, 0, kScreenWidth, kScreenHeight), measure, catalogue);
    EXPECT_EQ(screen.copy(0, 240, 1280, 480), full.copy(0, 240, 1280, 480));
}

}  // namespace
}  // namespace quorvel
