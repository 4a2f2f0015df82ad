// The window's side of the comparison: the BMP its export writes for a state, computed here
// straight from the data, paint and export layers.
#pragma once

#include <QImage>
#include <QRegion>
#include <cstdint>
#include <string>
#include <vector>

#include "data/Catalogue.h"
#include "data/SourceFile.h"
#include "export/BmpEncoder.h"
#include "render/ScreenPainter.h"

namespace quorvel::test {

struct WindowState {
    DvbType dvbType;
    Category screen;
    int line;
    Language language;
    bool more = false;
    std::uint8_t referenceLevel = 40;
    int cursorX = 101;
};

// The screen as the window shows it after loading `file`, choosing the DVB type, moving to the
// family, picking the line and, for the More view, pressing F1 (which repaints the lower band).
inline QImage WindowScreen(const std::string& file, const WindowState& window) {
    SourceRecord record;
    if (LoadSourceFile(file, record) != LoadOutcome::Loaded) return {};
    Catalogue catalogue;
    RebuildCatalogue(record, window.dvbType, catalogue);
    ScreenState state;
    state.category = window.screen;
    state.dvbType = window.dvbType;
    state.language = window.language;
    state.referenceLevel = window.referenceLevel;
    state.cursorX = window.cursorX;
    state.measureSelection = catalogue.measure.Empty() ? -1 : 0;
    state.spectrumSelection = catalogue.spectrum.Empty() ? -1 : 0;
    state.constellationSelection = catalogue.constellation.Empty() ? -1 : 0;
    if (window.screen == Category::Measure) state.measureSelection = window.line;
    if (window.screen == Category::Spectrum) state.spectrumSelection = window.line;
    if (window.screen == Category::Constellation) state.constellationSelection = window.line;
    QImage screen = NewScreenImage();
    PaintScreen(screen, QRegion(0, 0, 1280, 720), state, catalogue);
    if (window.more) {
        state.showMore = true;
        PaintScreen(screen, QRegion(0, 240, 1280, 480), state, catalogue);
    }
    return screen;
}

inline std::vector<std::uint8_t> WindowBmp(const std::string& file, const WindowState& window) {
    const QImage screen = WindowScreen(file, window);
    return EncodeBmp32(reinterpret_cast<const std::uint32_t*>(screen.constBits()), screen.width(),
                       screen.height(), static_cast<std::size_t>(screen.bytesPerLine()));
}

}  // namespace quorvel::test
