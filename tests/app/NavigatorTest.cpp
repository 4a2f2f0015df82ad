// Navigation rules of the main window, checked on the widget-free model.
#include <gtest/gtest.h>

#include <array>
#include <tuple>

#include "navigation/HelpTexts.h"
#include "navigation/Navigator.h"
#include "tests/app/SourceFiles.h"

namespace quorvel {
namespace {

using test::SourceFileBuilder;
using Names = std::vector<std::string>;
// The current family, the help line and the lines selected in Measure, Constellation, Spectrum.
using Place = std::tuple<Category, std::string, std::array<int, 3>>;
using Change = std::tuple<std::vector<IntRect>, bool, std::optional<Category>>;

const std::vector<IntRect> kWhole{kWholeScreen};

Change Of(const Outcome& outcome) {
    return {outcome.invalidated, outcome.listsRebuilt, outcome.focus};
}

class NavigatorTest : public ::testing::Test {
  protected:
    test::fs::path Write(const SourceFileBuilder& file, std::size_t size = record::kSize) {
        file.Write(m_dir / "source.dat", size);
        return m_dir / "source.dat";
    }
    void Load(const SourceFileBuilder& file = test::FullSatelliteFile()) {
        ASSERT_EQ(m_nav.LoadFile(Write(file)).outcome, LoadOutcome::Loaded);
    }
    Place Now() const {
        return {m_nav.State().category,
                m_nav.HelpLine(),
                {m_nav.Selection(Category::Measure), m_nav.Selection(Category::Constellation),
                 m_nav.Selection(Category::Spectrum)}};
    }

    test::TemporaryFolder m_dir;
    Navigator m_nav;
};

TEST_F(NavigatorTest, LoadPrefersMeasureAndSelectsEveryFirstName) {
    const LoadResult result = m_nav.LoadFile(Write(test::FullSatelliteFile()));
    ASSERT_EQ(result.outcome, LoadOutcome::Loaded);
    EXPECT_EQ(Of(result.change), Change(kWhole, true, Category::Measure));
    EXPECT_EQ(Now(), Place(Category::Measure, help::kMeasure, {0, 0, 0}));
    EXPECT_EQ(m_nav.Lists().measure.names, (Names{"M-Sat-A", "M-Sat-B"}));
}

TEST_F(NavigatorTest, ArrowKeysCycleThroughTheFamiliesInScreenOrderEachEnteredAtItsFirstName) {
    Load();
    m_nav.SelectionChanged(Category::Constellation, 1);
    m_nav.SelectionChanged(Category::Spectrum, 1);
    const std::pair<NavKey, Place> steps[] = {
        {NavKey::Right, {Category::Constellation, help::kConstellation, {0, 0, 1}}},
        {NavKey::Right, {Category::Spectrum, help::kSpectrum, {0, 0, 0}}},
        {NavKey::Right, {Category::Measure, help::kMeasure, {0, 0, 0}}},
        {NavKey::Left, {Category::Spectrum, help::kSpectrum, {0, 0, 0}}},
        {NavKey::Left, {Category::Constellation, help::kConstellation, {0, 0, 0}}},
        {NavKey::Left, {Category::Measure, help::kMeasure, {0, 0, 0}}},
    };
    for (const auto& [key, place] : steps) {
        EXPECT_EQ(Of(m_nav.PressKey(key)), Change(kWhole, false, std::get<Category>(place)));
        EXPECT_EQ(Now(), place);  // Spectrum, not yet entered, keeps its pick at first
    }
}

TEST_F(NavigatorTest, UpDownAndF1ActOnlyOnTheirOwnScreen) {
    Load();
    EXPECT_FALSE(m_nav.PressKey(NavKey::Up).Changed());  // Measure
    EXPECT_FALSE(m_nav.PressKey(NavKey::F1).Changed());
    m_nav.PressKey(NavKey::Left);  // Spectrum
    EXPECT_FALSE(m_nav.PressKey(NavKey::F1).Changed());
    EXPECT_FALSE(m_nav.State().showMore);
    m_nav.PressKey(NavKey::Left);  // Constellation
    EXPECT_FALSE(m_nav.PressKey(NavKey::Up).Changed());
    EXPECT_EQ(m_nav.State().referenceLevel, 40);

    m_nav.PressKey(NavKey::Right);  // Spectrum: the scale moves in 5 dB steps within 0..75
    EXPECT_EQ(m_nav.PressKey(NavKey::Up).invalidated, std::vector{spectrum::kScaleAndPlot});
    for (const auto& [key, limit] : {std::pair(NavKey::Up, 75), std::pair(NavKey::Down, 0)}) {
        for (int i = 0; i < 16; ++i) m_nav.PressKey(key);
        EXPECT_EQ(m_nav.State().referenceLevel, limit);
        EXPECT_FALSE(m_nav.PressKey(key).Changed());
    }
    m_nav.PressKey(NavKey::Up);
    EXPECT_EQ(m_nav.State().referenceLevel, 5);

    m_nav.PressKey(NavKey::Left);  // back to Constellation
    EXPECT_EQ(m_nav.PressKey(NavKey::F1).invalidated, std::vector{constellation::kMoreBand});
    EXPECT_TRUE(m_nav.State().showMore);
    EXPECT_EQ(m_nav.HelpLine(), help::kConstellationMore);
    m_nav.PressKey(NavKey::F1);
    EXPECT_FALSE(m_nav.State().showMore);
    EXPECT_EQ(m_nav.HelpLine(), help::kConstellation);
}

// Arrows never skip an empty family (LEFT from Measure would be Spectrum, so it stays put rather
// than trying Constellation), but closing that family's list up makes it current all the same.
TEST_F(NavigatorTest, ArrowsStayOffAnEmptyFamilyButCloseUpMakesItCurrent) {
    SourceFileBuilder file;
    file.Add(EntryKind::Measure, 0, DvbType::Satellite, "M")
        .Add(EntryKind::Constellation, 0, DvbType::Satellite, "C");
    Load(file);
    EXPECT_FALSE(m_nav.PressKey(NavKey::Left).Changed());
    EXPECT_EQ(m_nav.State().category, Category::Measure);
    EXPECT_TRUE(m_nav.PressKey(NavKey::Right).Changed());
    EXPECT_FALSE(m_nav.PressKey(NavKey::Right).Changed());
    m_nav.PressKey(NavKey::F1);
    ASSERT_TRUE(m_nav.State().showMore);

    EXPECT_EQ(Of(m_nav.CloseUp(Category::Constellation)), Change(kWhole, false, {}));
    EXPECT_FALSE(m_nav.State().showMore);
    EXPECT_EQ(Now(), Place(Category::Constellation, help::kConstellation, {0, 0, -1}));

    EXPECT_EQ(Of(m_nav.CloseUp(Category::Spectrum)), Change(kWhole, false, {}));
    // An empty family keeps the help line, and UP still shifts its scale.
    EXPECT_EQ(Now(), Place(Category::Spectrum, help::kConstellation, {0, 0, -1}));
    EXPECT_TRUE(m_nav.PressKey(NavKey::Up).Changed());
    EXPECT_EQ(m_nav.State().referenceLevel, 45);
    EXPECT_EQ(m_nav.HelpLine(), help::kConstellation);

    m_nav.CloseUp(Category::Measure);
    EXPECT_EQ(Now(), Place(Category::Measure, help::kMeasure, {0, 0, -1}));
}

TEST_F(NavigatorTest, SelectionChangeKeepsTheFamilyAndResetsOnlyTheConstellationView) {
    Load();
    m_nav.PressKey(NavKey::Right);
    m_nav.PressKey(NavKey::F1);
    m_nav.SelectionChanged(Category::Measure, 1);
    EXPECT_EQ(Now(), Place(Category::Constellation, help::kConstellationMore, {1, 0, 0}));

    EXPECT_EQ(Of(m_nav.SelectionChanged(Category::Constellation, 1)), Change(kWhole, false, {}));
    EXPECT_EQ(Now(), Place(Category::Constellation, help::kConstellation, {1, 1, 0}));
    EXPECT_FALSE(m_nav.State().showMore);
    m_nav.SelectionChanged(Category::Measure, 2);  // one past the end of its two lines
    EXPECT_EQ(Now(), Place(Category::Constellation, help::kConstellation, {-1, 1, 0}));
}

TEST_F(NavigatorTest, WheelStepsTheCurrentListWithinItsEnds) {
    Load();  // two names per family
    EXPECT_FALSE(m_nav.StepCurrentList(-1).Changed());
    EXPECT_TRUE(m_nav.StepCurrentList(1).Changed());
    EXPECT_EQ(Now(), Place(Category::Measure, help::kMeasure, {1, 0, 0}));
    EXPECT_FALSE(m_nav.StepCurrentList(1).Changed());
    EXPECT_TRUE(m_nav.StepCurrentList(-5).Changed());
    EXPECT_EQ(Now(), Place(Category::Measure, help::kMeasure, {0, 0, 0}));
}

TEST_F(NavigatorTest, DvbTypeRebuildsTheListsForThatFamilyAndTheSameTypeKeepsThem) {
    Load();
    m_nav.SelectionChanged(Category::Measure, 1);
    EXPECT_FALSE(m_nav.ChooseDvbType(DvbType::Satellite).Changed());
    EXPECT_FALSE(m_nav.ChooseLanguage(Language::English).Changed());
    EXPECT_EQ(Now(), Place(Category::Measure, help::kMeasure, {1, 0, 0}));

    m_nav.PressKey(NavKey::Left);  // Spectrum
    EXPECT_EQ(Of(m_nav.ChooseDvbType(DvbType::Terrestrial)),
              Change(kWhole, true, Category::Measure));
    EXPECT_EQ(Now(), Place(Category::Measure, help::kMeasure, {0, 0, 0}));
    const Catalogue& lists = m_nav.Lists();
    EXPECT_EQ((std::array{lists.measure.names, lists.constellation.names, lists.spectrum.names}),
              (std::array<Names, 3>{{{"M-Ter"}, {"C-Ter"}, {"S-Ter"}}}));

    // Cable has nothing: the lists empty out but the family and help line stay.
    EXPECT_EQ(Of(m_nav.ChooseDvbType(DvbType::Cable)), Change(kWhole, true, {}));
    EXPECT_EQ(Now(), Place(Category::Measure, help::kMeasure, {-1, -1, -1}));
}

TEST_F(NavigatorTest, PointerMovesTheCursorOnlyStrictlyInsideAFilledSpectrumPlot) {
    Load();
    EXPECT_FALSE(m_nav.PointerMoved(500, 300).Changed());  // Measure screen
    m_nav.PressKey(NavKey::Left);
    const std::tuple<int, int, bool> cases[] = {
        {100, 300, false}, {1000, 300, false}, {500, 70, false},
        {500, 650, false}, {101, 300, false},  // already there
        {999, 649, true},  {101, 71, true},    {500, 300, true},
        {500, 100, false},  // same x, other y
    };
    for (const auto& [x, y, moves] : cases) {
        const int before = m_nav.State().cursorX;
        const std::vector<IntRect> strips{{before - 1, 70, 4, 580}, {x - 1, 70, 4, 580}};
        EXPECT_EQ(m_nav.PointerMoved(x, y).invalidated, moves ? strips : std::vector<IntRect>{})
            << x << "," << y;
        EXPECT_EQ(m_nav.State().cursorX, moves ? x : before) << x << "," << y;
    }
    m_nav.ChooseDvbType(DvbType::Cable);  // all lists empty
    m_nav.CloseUp(Category::Spectrum);
    EXPECT_FALSE(m_nav.PointerMoved(600, 300).Changed());
}

TEST_F(NavigatorTest, CursorAndScaleSurviveFamiliesDvbTypesAndFiles) {
    Load();
    m_nav.PressKey(NavKey::Left);
    m_nav.PressKey(NavKey::Up);
    m_nav.PointerMoved(640, 300);
    m_nav.PressKey(NavKey::Right);
    m_nav.ChooseDvbType(DvbType::Terrestrial);
    Load();
    m_nav.ChooseLanguage(Language::French);
    EXPECT_EQ(m_nav.State().referenceLevel, 45);
    EXPECT_EQ(m_nav.State().cursorX, 640);
}

// A reload keeps the family, the list positions (clamped to the new lists), the cursor, the
// reference level and the More view; a family left without names gives way as after a load.
TEST_F(NavigatorTest, ReloadKeepsThePlaceWhereTheNewListsStillHaveIt) {
    Load();
    m_nav.SelectionChanged(Category::Measure, 1);
    m_nav.SelectionChanged(Category::Constellation, 1);
    m_nav.CloseUp(Category::Spectrum);
    m_nav.SelectionChanged(Category::Spectrum, 1);
    m_nav.PressKey(NavKey::Up);
    m_nav.PointerMoved(300, 400);
    ASSERT_EQ(m_nav.State().cursorX, 300);

    const auto reload = [this](const SourceFileBuilder& file) {
        SourceRecord record;
        EXPECT_EQ(LoadSourceFile(Write(file), record), LoadOutcome::Loaded);
        return m_nav.ReloadRecord(record);
    };
    SourceFileBuilder fewer;  // three measures, two constellations, one spectrum
    fewer.Add(EntryKind::Measure, 0, DvbType::Satellite, "M0")
        .Add(EntryKind::Measure, 1, DvbType::Satellite, "M1")
        .Add(EntryKind::Measure, 2, DvbType::Satellite, "M2")
        .Add(EntryKind::Constellation, 0, DvbType::Satellite, "C0")
        .Add(EntryKind::Constellation, 1, DvbType::Satellite, "C1")
        .Add(EntryKind::Spectrum, 9, DvbType::Satellite, "S9");
    EXPECT_EQ(Of(reload(fewer)), Change(kWhole, true, Category::Spectrum));
    // Spectrum was at line 1: its list has one line now.
    EXPECT_EQ(Now(), Place(Category::Spectrum, help::kSpectrum, {1, 1, 0}));
    EXPECT_EQ(m_nav.State().referenceLevel, 45);
    EXPECT_EQ(m_nav.State().cursorX, 300);
    EXPECT_EQ(m_nav.Lists().spectrum.names, Names{"S9"});

    m_nav.CloseUp(Category::Constellation);
    m_nav.PressKey(NavKey::F1);
    reload(fewer);
    EXPECT_EQ(Now(), Place(Category::Constellation, help::kConstellationMore, {1, 1, 0}));
    EXPECT_TRUE(m_nav.State().showMore);

    SourceFileBuilder measuresOnly;
    measuresOnly.Add(EntryKind::Measure, 4, DvbType::Satellite, "M4");
    EXPECT_EQ(reload(measuresOnly).focus, Category::Measure);
    EXPECT_EQ(Now(), Place(Category::Measure, help::kMeasure, {0, -1, -1}));
}

}  // namespace
}  // namespace quorvel
