// The main window's state and every navigation rule, free of widgets so each rule is testable.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "data/Catalogue.h"
#include "data/ScreenState.h"
#include "data/SourceFile.h"
#include "data/SourceRecord.h"
#include "render/ScreenLayout.h"

namespace quorvel {

// The keys the navigation reacts to; every other key is swallowed without effect.
enum class NavKey { Left, Right, Up, Down, F1 };

// What the window must do after a state change.
struct Outcome {
    std::vector<IntRect> invalidated;  // screen areas to repaint; empty when nothing changed
    bool listsRebuilt = false;         // the names of all three lists were replaced
    std::optional<Category> focus;     // the family whose list takes the keyboard focus

    bool Changed() const { return !invalidated.empty(); }
};

struct LoadResult {
    LoadOutcome outcome;
    Outcome change;
};

class Navigator {
  public:
    Navigator() = default;
    Navigator(const Navigator&) = delete;
    Navigator& operator=(const Navigator&) = delete;

    const ScreenState& State() const { return m_state; }
    const Catalogue& Lists() const { return m_catalogue; }
    const std::string& HelpLine() const { return m_helpLine; }
    const std::string& CursorTipText() const { return m_cursorTipText; }
    // The cursor readout is offered only on the Spectrum screen, once a pass has produced one.
    bool ShowsCursorTip() const;

    // Selected line of a family's list, -1 when it has none.
    int Selection(Category family) const;

    Outcome PressKey(NavKey key);
    Outcome CloseUp(Category list);
    Outcome SelectionChanged(Category list, int index);
    // A wheel's worth of lines on the current family's list, clamped to its ends.
    Outcome StepCurrentList(int lines);
    Outcome ChooseLanguage(Language language);
    Outcome ChooseDvbType(DvbType dvbType);
    // A failed load changes nothing at all; the caller reports the outcome to the user.
    LoadResult LoadFile(const std::filesystem::path& path);
    // Shows `record` in place of the loaded one, as a successful load of a file does.
    Outcome OpenRecord(const SourceRecord& record);
    // Shows a new version of the open file without losing the user's place: the family and the
    // list positions stay where the new lists still have them (a position past a list's end
    // moves to its last line), and so do the cursor, the More view, the language, the DVB type
    // and the reference level.
    Outcome ReloadRecord(const SourceRecord& record);
    // Pointer at window point (x, y); moves the spectrum cursor column when the gate lets it.
    Outcome PointerMoved(int x, int y);
    // Result of a paint pass: the Spectrum screen's readout under the cursor, if it gave one.
    void SetCursorTipText(std::string text) { m_cursorTipText = std::move(text); }

  private:
    Outcome Rebuild();
    Outcome SwitchTo(Category family);
    void UpdateHelpLine();
    int& SelectionRef(Category family);
    std::size_t Count(Category family) const { return m_catalogue.Count(family); }

    SourceRecord m_record;
    Catalogue m_catalogue;
    ScreenState m_state;
    std::string m_helpLine;
    std::string m_cursorTipText;
};

}  // namespace quorvel
