// Navigation rules of the main window, checked on the widget-free model.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/HelpTexts.h"
#include "app/Navigator.h"
#include "tests/app/SourceFiles.h"

namespace quorvel {
namespace {

using test::SourceFileBuilder;

class NavigatorTest : public ::testing::Test {
  protected:
    std::filesystem::path Write(const SourceFileBuilder& file, const char* name = "source.dat",
                                std::size_t size = record::kSize) {
        const std::filesystem::path path = m_dir.filePath(QString::fromLatin1(name)).toStdString();
        file.Write(path, size);
        return path;
    }
    void Load(const SourceFileBuilder& file) {
        ASSERT_EQ(m_nav.LoadFile(Write(file)).outcome, LoadOutcome::Loaded);
    }
    Category Current() const { return m_nav.State().category; }

    QTemporaryDir m_dir;
    Navigator m_nav;
};

TEST_F(NavigatorTest, LoadPrefersMeasureAndSelectsEveryFirstName) {
    const LoadResult result = m_nav.LoadFile(Write(test::FullSatelliteFile()));
    ASSERT_EQ(result.outcome, LoadOutcome::Loaded);
    EXPECT_TRUE(result.change.listsRebuilt);
    EXPECT_EQ(result.change.focus, Category::Measure);
    EXPECT_EQ(result.change.invalidated, std::vector<IntRect>{kWholeScreen});
    EXPECT_EQ(Current(), Category::Measure);
    EXPECT_EQ(m_nav.HelpLine(), help::kMeasure);
    EXPECT_EQ(m_nav.Lists().measure.names, (std::vector<std::string>{"M-Sat-A", "M-Sat-B"}));
    for (Category family : {Category::Measure, Category::Spectrum, Category::Constellation}) {
        EXPECT_EQ(m_nav.Selection(family), 0);
    }
}

TEST_F(NavigatorTest, ArrowKeysCycleThroughTheFamiliesInScreenOrderEachEnteredAtItsFirstName) {
    Load(test::FullSatelliteFile());
    m_nav.SelectionChanged(Category::Constellation, 1);
    m_nav.SelectionChanged(Category::Spectrum, 1);
    struct Step {
        NavKey key;
        Category to;
        const char* help;
    };
    const Step steps[] = {
        {NavKey::Right, Category::Constellation, help::kConstellation},
        {NavKey::Right, Category::Spectrum, help::kSpectrum},
        {NavKey::Right, Category::Measure, help::kMeasure},
        {NavKey::Left, Category::Spectrum, help::kSpectrum},
        {NavKey::Left, Category::Constellation, help::kConstellation},
        {NavKey::Left, Category::Measure, help::kMeasure},
    };
    for (const Step& step : steps) {
        const Outcome outcome = m_nav.PressKey(step.key);
        EXPECT_EQ(Current(), step.to);
        EXPECT_EQ(outcome.focus, step.to);
        EXPECT_EQ(outcome.invalidated, std::vector<IntRect>{kWholeScreen});
        EXPECT_EQ(m_nav.HelpLine(), step.help);
        EXPECT_EQ(m_nav.Selection(step.to), 0);
        // A family not yet entered keeps its pick.
        if (step.to == Category::Constellation && step.key == NavKey::Right) {
            EXPECT_EQ(m_nav.Selection(Category::Spectrum), 1);
        }
    }
}

TEST_F(NavigatorTest, UpDownAndF1ActOnlyOnTheirOwnScreen) {
    Load(test::FullSatelliteFile());
    ASSERT_EQ(Current(), Category::Measure);
    EXPECT_FALSE(m_nav.PressKey(NavKey::Up).Changed());
    EXPECT_FALSE(m_nav.PressKey(NavKey::F1).Changed());
    m_nav.PressKey(NavKey::Left);  // Spectrum
    EXPECT_FALSE(m_nav.PressKey(NavKey::F1).Changed());
    EXPECT_FALSE(m_nav.State().showMore);
    m_nav.PressKey(NavKey::Left);  // Constellation
    EXPECT_FALSE(m_nav.PressKey(NavKey::Up).Changed());
    EXPECT_EQ(m_nav.State().referenceLevel, 40);

    m_nav.PressKey(NavKey::Right);  // Spectrum: the scale moves in 5 dB steps within 0..75
    const std::pair<NavKey, int> scale[] = {{NavKey::Up, 75}, {NavKey::Down, 0}};
    for (const auto& [key, limit] : scale) {
        for (int i = 0; i < 16; ++i) m_nav.PressKey(key);
        EXPECT_EQ(m_nav.State().referenceLevel, limit);
        EXPECT_FALSE(m_nav.PressKey(key).Changed());
    }
    m_nav.PressKey(NavKey::Up);
    EXPECT_EQ(m_nav.State().referenceLevel, 5);

    m_nav.PressKey(NavKey::Left);  // back to Constellation
    Outcome outcome = m_nav.PressKey(NavKey::F1);
    EXPECT_TRUE(m_nav.State().showMore);
    EXPECT_EQ(outcome.invalidated, std::vector<IntRect>{constellation::kMoreBand});
    EXPECT_EQ(m_nav.HelpLine(), help::kConstellationMore);
    outcome = m_nav.PressKey(NavKey::F1);
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
    EXPECT_EQ(Current(), Category::Measure);
    EXPECT_TRUE(m_nav.PressKey(NavKey::Right).Changed());
    EXPECT_FALSE(m_nav.PressKey(NavKey::Right).Changed());
    EXPECT_EQ(Current(), Category::Constellation);
    m_nav.PressKey(NavKey::F1);
    ASSERT_TRUE(m_nav.State().showMore);

    Outcome outcome = m_nav.CloseUp(Category::Constellation);
    EXPECT_FALSE(m_nav.State().showMore);
    EXPECT_EQ(m_nav.HelpLine(), help::kConstellation);
    EXPECT_EQ(outcome.invalidated, std::vector<IntRect>{kWholeScreen});

    outcome = m_nav.CloseUp(Category::Spectrum);
    EXPECT_EQ(Current(), Category::Spectrum);
    EXPECT_EQ(outcome.invalidated, std::vector<IntRect>{kWholeScreen});
    EXPECT_EQ(m_nav.HelpLine(), help::kConstellation);  // empty list: help line kept
    // UP still shifts the scale of the empty Spectrum screen.
    EXPECT_TRUE(m_nav.PressKey(NavKey::Up).Changed());
    EXPECT_EQ(m_nav.State().referenceLevel, 45);
    EXPECT_EQ(m_nav.HelpLine(), help::kConstellation);

    m_nav.CloseUp(Category::Measure);
    EXPECT_EQ(Current(), Category::Measure);
    EXPECT_EQ(m_nav.HelpLine(), help::kMeasure);
}

TEST_F(NavigatorTest, SelectionChangeKeepsTheFamilyAndResetsOnlyTheConstellationView) {
    Load(test::FullSatelliteFile());
    m_nav.PressKey(NavKey::Right);
    m_nav.PressKey(NavKey::F1);
    m_nav.SelectionChanged(Category::Measure, 1);
    EXPECT_EQ(Current(), Category::Constellation);
    EXPECT_TRUE(m_nav.State().showMore);
    EXPECT_EQ(m_nav.State().measureSelection, 1);

    const Outcome outcome = m_nav.SelectionChanged(Category::Constellation, 1);
    EXPECT_EQ(Current(), Category::Constellation);
    EXPECT_FALSE(m_nav.State().showMore);
    EXPECT_EQ(m_nav.State().constellationSelection, 1);
    EXPECT_EQ(m_nav.HelpLine(), help::kConstellation);
    EXPECT_EQ(outcome.invalidated, std::vector<IntRect>{kWholeScreen});
}

TEST_F(NavigatorTest, WheelStepsTheCurrentListWithinItsEnds) {
    Load(test::FullSatelliteFile());  // two names per family
    EXPECT_FALSE(m_nav.StepCurrentList(-1).Changed());
    EXPECT_TRUE(m_nav.StepCurrentList(1).Changed());
    EXPECT_EQ(m_nav.State().measureSelection, 1);
    EXPECT_FALSE(m_nav.StepCurrentList(1).Changed());
    EXPECT_EQ(m_nav.State().measureSelection, 1);
    EXPECT_TRUE(m_nav.StepCurrentList(-5).Changed());
    EXPECT_EQ(m_nav.State().measureSelection, 0);
    EXPECT_EQ(m_nav.State().spectrumSelection, 0);
    EXPECT_EQ(m_nav.State().constellationSelection, 0);
}

TEST_F(NavigatorTest, DvbTypeRebuildsTheListsForThatFamily) {
    Load(test::FullSatelliteFile());
    m_nav.PressKey(NavKey::Left);  // Spectrum
    const Outcome outcome = m_nav.ChooseDvbType(DvbType::Terrestrial);
    EXPECT_TRUE(outcome.listsRebuilt);
    EXPECT_EQ(outcome.focus, Category::Measure);
    EXPECT_EQ(Current(), Category::Measure);
    EXPECT_EQ(m_nav.HelpLine(), help::kMeasure);
    EXPECT_EQ(m_nav.Lists().measure.names, std::vector<std::string>{"M-Ter"});
    EXPECT_EQ(m_nav.Lists().constellation.names, std::vector<std::string>{"C-Ter"});
    EXPECT_EQ(m_nav.Lists().spectrum.names, std::vector<std::string>{"S-Ter"});

    // Cable has nothing: the lists empty out but the family and help line stay.
    const Outcome cable = m_nav.ChooseDvbType(DvbType::Cable);
    EXPECT_TRUE(cable.listsRebuilt);
    EXPECT_FALSE(cable.focus.has_value());
    EXPECT_EQ(Current(), Category::Measure);
    EXPECT_EQ(m_nav.HelpLine(), help::kMeasure);
    EXPECT_EQ(m_nav.Selection(Category::Measure), -1);
}

TEST_F(NavigatorTest, FailedLoadsChangeNothing) {
    Load(test::FullSatelliteFile());
    m_nav.PressKey(NavKey::Right);
    SourceFileBuilder terrestrialOnly;
    terrestrialOnly.Add(EntryKind::Measure, 0, DvbType::Terrestrial, "Other");
    const LoadResult shortFile =
        m_nav.LoadFile(Write(terrestrialOnly, "short.dat", record::kSize - 1));
    EXPECT_EQ(shortFile.outcome, LoadOutcome::IncompleteRead);
    EXPECT_FALSE(shortFile.change.Changed());
    EXPECT_EQ(Current(), Category::Constellation);
    EXPECT_EQ(m_nav.HelpLine(), help::kConstellation);

    // The record loaded before the short file is the one the next rebuild reads.
    m_nav.ChooseDvbType(DvbType::Terrestrial);
    EXPECT_EQ(m_nav.Lists().measure.names, std::vector<std::string>{"M-Ter"});
}

TEST_F(NavigatorTest, PointerMovesTheCursorOnlyStrictlyInsideAFilledSpectrumPlot) {
    Load(test::FullSatelliteFile());
    EXPECT_FALSE(m_nav.PointerMoved(500, 300).Changed());  // Measure screen
    m_nav.PressKey(NavKey::Left);
    struct Case {
        int x, y;
        bool moves;
    };
    const Case cases[] = {
        {100, 300, false}, {1000, 300, false}, {500, 70, false},
        {500, 650, false}, {101, 300, false},  // already there
        {999, 649, true},  {101, 71, true},    {500, 300, true},
        {500, 100, false},  // same x, other y
    };
    for (const Case& c : cases) {
        const int before = m_nav.State().cursorX;
        const Outcome outcome = m_nav.PointerMoved(c.x, c.y);
        if (c.moves) {
            EXPECT_EQ(m_nav.State().cursorX, c.x);
            EXPECT_EQ(outcome.invalidated,
                      (std::vector<IntRect>{{before - 1, 70, 4, 580}, {c.x - 1, 70, 4, 580}}))
                << c.x << "," << c.y;
        } else {
            EXPECT_EQ(m_nav.State().cursorX, before) << c.x << "," << c.y;
            EXPECT_FALSE(outcome.Changed());
        }
    }
    m_nav.ChooseDvbType(DvbType::Cable);  // all lists empty
    m_nav.CloseUp(Category::Spectrum);
    EXPECT_FALSE(m_nav.PointerMoved(600, 300).Changed());
}

TEST_F(NavigatorTest, CursorAndScaleSurviveFamiliesDvbTypesAndFiles) {
    Load(test::FullSatelliteFile());
    m_nav.PressKey(NavKey::Left);
    m_nav.PressKey(NavKey::Up);
    m_nav.PointerMoved(640, 300);
    m_nav.PressKey(NavKey::Right);
    m_nav.ChooseDvbType(DvbType::Terrestrial);
    Load(test::FullSatelliteFile());
    m_nav.ChooseLanguage(Language::French);
    EXPECT_EQ(m_nav.State().referenceLevel, 45);
    EXPECT_EQ(m_nav.State().cursorX, 640);
}

// A reload keeps the family, the list positions (clamped to the new lists), the cursor, the
// reference level and the More view; a family left without names gives way as after a load.
TEST_F(NavigatorTest, ReloadKeepsThePlaceWhereTheNewListsStillHaveIt) {
    Load(test::FullSatelliteFile());
    m_nav.SelectionChanged(Category::Measure, 1);
    m_nav.SelectionChanged(Category::Constellation, 1);
    m_nav.CloseUp(Category::Spectrum);
    m_nav.SelectionChanged(Category::Spectrum, 1);
    m_nav.PressKey(NavKey::Up);
    m_nav.PointerMoved(300, 400);
    ASSERT_EQ(m_nav.State().cursorX, 300);

    const auto reload = [this](const SourceFileBuilder& file) {
        SourceRecord record;
        EXPECT_EQ(LoadSourceFile(Write(file, "new.dat"), record), LoadOutcome::Loaded);
        return m_nav.ReloadRecord(record);
    };
    SourceFileBuilder fewer;  // three measures, two constellations, one spectrum
    fewer.Add(EntryKind::Measure, 0, DvbType::Satellite, "M0")
        .Add(EntryKind::Measure, 1, DvbType::Satellite, "M1")
        .Add(EntryKind::Measure, 2, DvbType::Satellite, "M2")
        .Add(EntryKind::Constellation, 0, DvbType::Satellite, "C0")
        .Add(EntryKind::Constellation, 1, DvbType::Satellite, "C1")
        .Add(EntryKind::Spectrum, 9, DvbType::Satellite, "S9");
    const Outcome kept = reload(fewer);
    EXPECT_TRUE(kept.listsRebuilt);
    EXPECT_EQ(kept.focus, Category::Spectrum);
    EXPECT_EQ(Current(), Category::Spectrum);
    EXPECT_EQ(m_nav.Selection(Category::Measure), 1);
    EXPECT_EQ(m_nav.Selection(Category::Constellation), 1);
    EXPECT_EQ(m_nav.Selection(Category::Spectrum), 0);  // was 1, the list has one line now
    EXPECT_EQ(m_nav.State().referenceLevel, 45);
    EXPECT_EQ(m_nav.State().cursorX, 300);
    EXPECT_EQ(m_nav.Lists().spectrum.names, std::vector<std::string>{"S9"});
    EXPECT_EQ(m_nav.HelpLine(), help::kSpectrum);

    m_nav.CloseUp(Category::Constellation);
    m_nav.PressKey(NavKey::F1);
    reload(fewer);
    EXPECT_EQ(Current(), Category::Constellation);
    EXPECT_TRUE(m_nav.State().showMore);
    EXPECT_EQ(m_nav.HelpLine(), help::kConstellationMore);

    SourceFileBuilder measuresOnly;
    measuresOnly.Add(EntryKind::Measure, 4, DvbType::Satellite, "M4");
    const Outcome gaveWay = reload(measuresOnly);
    EXPECT_EQ(gaveWay.focus, Category::Measure);
    EXPECT_EQ(Current(), Category::Measure);
    EXPECT_EQ(m_nav.Selection(Category::Measure), 0);
    EXPECT_EQ(m_nav.Selection(Category::Constellation), -1);
}

}  // namespace
}  // namespace quorvel
