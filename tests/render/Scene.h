// One source record built field by field, the window's state for it, and its screen painted or
// recorded: what every screen test starts from.
#pragma once

#include <QImage>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data/Catalogue.h"
#include "data/EntryWriter.h"
#include "data/ScreenState.h"
#include "render/ScreenPainter.h"
#include "render/ScreenRecording.h"

namespace quorvel::test {

class Scene {
  public:
    explicit Scene(DvbType dvbType) : m_record(std::make_unique<SourceRecord>()) {
        StampMagic(m_record->bytes);
        state.dvbType = dvbType;
    }

    // Adds an entry of this scene's broadcast family in the next free slot of its kind.
    EntryWriter Add(EntryKind kind, std::string_view name = "E") {
        return PlaceEntry(m_record->bytes, kind, m_used[static_cast<int>(kind)]++,
                          static_cast<std::uint8_t>(state.dvbType), name);
    }

    // Rebuilds the lists as the window does and shows `family` at `line`.
    Scene& Show(Category family, int line = 0) {
        RebuildCatalogue(*m_record, state.dvbType, catalogue);
        SelectAfterRebuild(state, catalogue);
        state.category = family;
        if (family == Category::Measure) state.measureSelection = line;
        if (family == Category::Spectrum) state.spectrumSelection = line;
        if (family == Category::Constellation) state.constellationSelection = line;
        return *this;
    }

    QImage Paint(const std::vector<IntRect>& area = {kWholeScreen}) {
        PaintScreen(m_screen, area, state, catalogue);
        return m_screen.copy();
    }

    DisplayList Record() {
        DisplayList list = RecordScreen(state, catalogue);
        readout = list.cursorTipText;
        return list;
    }

    ScreenState state;
    Catalogue catalogue;
    std::optional<std::string> readout;  // of the last recorded pass

  private:
    std::unique_ptr<SourceRecord> m_record;
    int m_used[3] = {0, 0, 0};
    QImage m_screen = NewScreenImage();
};

// Every text a pass drew, in order.
inline std::vector<std::u16string> Texts(const DisplayList& list) {
    std::vector<std::u16string> texts;
    for (const DrawOp& op : list.ops) {
        if (const auto* text = std::get_if<TextShape>(&op.shape)) texts.push_back(text->Text());
    }
    return texts;
}

// The operations of one kind, in order, with their colours.
template <typename Shape>
std::vector<std::pair<Shape, Argb>> OpsOf(const DisplayList& list) {
    std::vector<std::pair<Shape, Argb>> found;
    for (const DrawOp& op : list.ops) {
        if (const auto* wanted = std::get_if<Shape>(&op.shape)) found.emplace_back(*wanted, op.colour);
    }
    return found;
}

}  // namespace quorvel::test
