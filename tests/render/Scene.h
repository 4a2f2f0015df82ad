// One source record built field by field, the window's state for it, and its screen painted or
// recorded: what every screen test starts from.
#pragma once

#include <QImage>
#include <QRegion>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data/Catalogue.h"
#include "data/EntryWriter.h"
#include "data/ScreenState.h"
#include "render/PaintDispatch.h"
#include "render/RecordingCanvas.h"
#include "render/ScreenPainter.h"

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

    QImage Paint(const QRegion& area = QRegion(0, 0, kScreenWidth, kScreenHeight)) {
        PaintScreen(m_screen, area, state, catalogue);
        return m_screen.copy();
    }

    std::vector<CanvasOp> Record(IntRect area = kWholeScreen) {
        RecordingCanvas canvas(area);
        readout = DispatchPaint(canvas, state, catalogue).cursorTipText;
        return canvas.Ops();
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
inline std::vector<std::u16string> Texts(const std::vector<CanvasOp>& ops) {
    std::vector<std::u16string> texts;
    for (const CanvasOp& op : ops) {
        if (const auto* point = std::get_if<PointTextOp>(&op)) texts.push_back(point->text);
        if (const auto* box = std::get_if<RectTextOp>(&op)) texts.push_back(box->text);
    }
    return texts;
}

template <typename Op>
std::vector<Op> OpsOf(const std::vector<CanvasOp>& ops) {
    std::vector<Op> found;
    for (const CanvasOp& op : ops) {
        if (const auto* wanted = std::get_if<Op>(&op)) found.push_back(*wanted);
    }
    return found;
}

}  // namespace quorvel::test
