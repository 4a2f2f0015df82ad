// The screen the window's state shows, recorded as one display list per pass.
#pragma once

#include <optional>

#include "data/Catalogue.h"
#include "data/ScreenState.h"
#include "render/Canvas.h"
#include "render/DisplayList.h"

namespace quorvel {

// Picks the screen for the state and records it, or a black screen when its family has no line.
DisplayList RecordScreen(const ScreenState& state, const Catalogue& catalogue,
                         TextLayoutCache& texts = SharedTextLayoutCache(),
                         const IconSource& icons = EmbeddedIcons());

// Keeps the last recording, so that a pointer move over the spectrum records only the cursor
// column it moves rather than the whole screen again.
class ScreenRecorder {
  public:
    // The recording of `state`. A fresh one unless the last was of the same catalogue in a
    // state that differs only in the cursor column.
    const DisplayList& Record(const ScreenState& state, const Catalogue& catalogue);
    // The next recording starts afresh: the catalogue's contents have changed.
    void Forget() { m_state.reset(); }

  private:
    std::optional<ScreenState> m_state;
    const Catalogue* m_catalogue = nullptr;
    DisplayList m_list;
};

}  // namespace quorvel
