#include "navigation/Navigator.h"

#include <algorithm>
#include <array>

#include "navigation/HelpTexts.h"

namespace quorvel {

namespace {

constexpr int kLowestReferenceLevel = 0;
constexpr int kHighestReferenceLevel = 75;
constexpr int kReferenceLevelStep = 5;

Outcome Repaint(IntRect area) {
    return Outcome{{area}, false, std::nullopt};
}

}  // namespace

bool Navigator::ShowsCursorTip() const {
    return m_state.category == Category::Spectrum && !m_cursorTipText.empty();
}

int Navigator::Selection(Category family) const {
    switch (family) {
        case Category::Measure:
            return m_state.measureSelection;
        case Category::Spectrum:
            return m_state.spectrumSelection;
        case Category::Constellation:
            return m_state.constellationSelection;
        case Category::None:
            break;
    }
    return -1;
}

int& Navigator::SelectionRef(Category family) {
    switch (family) {
        case Category::Measure:
            return m_state.measureSelection;
        case Category::Spectrum:
            return m_state.spectrumSelection;
        default:
            return m_state.constellationSelection;
    }
}

Outcome Navigator::PressKey(NavKey key) {
    const Category current = m_state.category;
    switch (key) {
        case NavKey::Left:
        case NavKey::Right: {
            // Screen order left to right is Measure, Constellation, Spectrum, cyclically.
            const bool left = key == NavKey::Left;
            switch (current) {
                case Category::Measure:
                    return SwitchTo(left ? Category::Spectrum : Category::Constellation);
                case Category::Constellation:
                    return SwitchTo(left ? Category::Measure : Category::Spectrum);
                case Category::Spectrum:
                    return SwitchTo(left ? Category::Constellation : Category::Measure);
                case Category::None:
                    return {};
            }
            return {};
        }
        case NavKey::Up:
        case NavKey::Down: {
            if (current != Category::Spectrum) return {};
            const int step = key == NavKey::Up ? kReferenceLevelStep : -kReferenceLevelStep;
            const int next = m_state.referenceLevel + step;
            if (next < kLowestReferenceLevel || next > kHighestReferenceLevel) return {};
            m_state.referenceLevel = static_cast<std::uint8_t>(next);
            UpdateHelpLine();
            return Repaint(spectrum::kScaleAndPlot);
        }
        case NavKey::F1:
            if (current != Category::Constellation) return {};
            m_state.showMore = !m_state.showMore;
            UpdateHelpLine();
            return Repaint(constellation::kMoreBand);
    }
    return {};
}

Outcome Navigator::SwitchTo(Category family) {
    // An empty family is not skipped: the key simply does nothing.
    if (Count(family) == 0) return {};
    m_state.category = family;
    SelectionRef(family) = 0;
    UpdateHelpLine();
    Outcome outcome = Repaint(kWholeScreen);
    outcome.focus = family;
    return outcome;
}

Outcome Navigator::CloseUp(Category list) {
    if (list == Category::None) return {};
    // Closing a list makes its family current even when it holds no names (the screen turns
    // black then).
    m_state.category = list;
    if (list == Category::Constellation) m_state.showMore = false;
    UpdateHelpLine();
    return Repaint(kWholeScreen);
}

Outcome Navigator::SelectionChanged(Category list, int index) {
    if (list == Category::None) return {};
    const int count = static_cast<int>(Count(list));
    SelectionRef(list) = (index >= 0 && index < count) ? index : -1;
    if (list == Category::Constellation) m_state.showMore = false;
    UpdateHelpLine();
    return Repaint(kWholeScreen);
}

Outcome Navigator::StepCurrentList(int lines) {
    const Category family = m_state.category;
    if (family == Category::None || lines == 0) return {};
    const int count = static_cast<int>(Count(family));
    if (count == 0) return {};
    const int current = Selection(family);
    const int next = std::clamp(current + lines, 0, count - 1);
    if (next == current) return {};
    return SelectionChanged(family, next);
}

Outcome Navigator::ChooseLanguage(Language language) {
    if (m_state.language == language) return {};
    m_state.language = language;
    return Repaint(kWholeScreen);
}

Outcome Navigator::ChooseDvbType(DvbType dvbType) {
    if (m_state.dvbType == dvbType) return {};
    m_state.dvbType = dvbType;
    Outcome outcome = Rebuild();
    UpdateHelpLine();
    return outcome;
}

LoadResult Navigator::LoadFile(const std::filesystem::path& path) {
    const LoadOutcome loaded = LoadSourceFile(path, m_record);
    if (loaded != LoadOutcome::Loaded) return {loaded, {}};
    Outcome outcome = Rebuild();
    UpdateHelpLine();
    return {loaded, outcome};
}

Outcome Navigator::OpenRecord(const SourceRecord& record) {
    m_record = record;
    Outcome outcome = Rebuild();
    UpdateHelpLine();
    return outcome;
}

Outcome Navigator::ReloadRecord(const SourceRecord& record) {
    const Category family = m_state.category;
    constexpr std::array kFamilies = {Category::Measure, Category::Constellation,
                                      Category::Spectrum};
    std::array<int, kFamilies.size()> positions{};
    for (std::size_t i = 0; i < kFamilies.size(); ++i) positions[i] = Selection(kFamilies[i]);
    m_record = record;
    Outcome outcome = Rebuild();
    for (std::size_t i = 0; i < kFamilies.size(); ++i) {
        const int count = static_cast<int>(Count(kFamilies[i]));
        if (count > 0 && positions[i] >= 0) {
            SelectionRef(kFamilies[i]) = std::min(positions[i], count - 1);
        }
    }
    if (family != Category::None && Count(family) > 0) {
        m_state.category = family;
        outcome.focus = family;
    }
    UpdateHelpLine();
    return outcome;
}

Outcome Navigator::Rebuild() {
    RebuildCatalogue(m_record, m_state.dvbType, m_catalogue);
    Outcome outcome = Repaint(kWholeScreen);
    outcome.listsRebuilt = true;
    // With every list empty the focus stays where it was, as the current family does.
    outcome.focus = SelectAfterRebuild(m_state, m_catalogue);
    return outcome;
}

Outcome Navigator::PointerMoved(int x, int y) {
    if (m_state.category != Category::Spectrum || m_catalogue.spectrum.Empty()) return {};
    // The pointer moves the cursor only strictly inside the plot.
    using namespace spectrum;
    if (x <= kPlotLeft || x >= kPlotRight || y <= kPlotTop || y >= kPlotBottom) return {};
    if (x == m_state.cursorX) return {};
    Outcome outcome{{CursorStrip(m_state.cursorX), CursorStrip(x)}, false, std::nullopt};
    m_state.cursorX = x;
    return outcome;
}

void Navigator::UpdateHelpLine() {
    // A family whose list is empty keeps whatever the help line said before.
    switch (m_state.category) {
        case Category::Measure:
            if (!m_catalogue.measure.Empty()) m_helpLine = help::kMeasure;
            return;
        case Category::Spectrum:
            if (!m_catalogue.spectrum.Empty()) m_helpLine = help::kSpectrum;
            return;
        case Category::Constellation:
            if (!m_catalogue.constellation.Empty()) {
                m_helpLine = m_state.showMore ? help::kConstellationMore : help::kConstellation;
            }
            return;
        case Category::None:
            m_helpLine.clear();
            return;
    }
}

}  // namespace quorvel
