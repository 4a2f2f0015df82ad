// The functions the page's script calls: one page, one screen, plain C types across the border.
// A text or byte block handed out stays valid until the next call that hands out the same kind.
#include <emscripten/emscripten.h>

#include <string>

#include "data/TextEncoding.h"
#include "web/PageFigures.h"
#include "web/PageScreen.h"

namespace {

using namespace quorvel;

web::PageScreen& Screen() {
    static web::PageScreen screen;
    return screen;
}

web::PageFigures& Figures() {
    static web::PageFigures figures;
    return figures;
}

const char* HandOut(std::string text) {
    static std::string held;
    held = std::move(text);
    return held.c_str();
}

std::vector<std::uint8_t>& Bytes() {
    static std::vector<std::uint8_t> bytes;
    return bytes;
}

int Apply(const Outcome& outcome) {
    return Screen().Apply(outcome) ? 1 : 0;
}

Category Family(int family) {
    return static_cast<Category>(family);
}

const std::vector<std::string>& NamesOf(Category family) {
    const Catalogue& lists = Screen().Navigation().Lists();
    switch (family) {
        case Category::Measure:
            return lists.measure.names;
        case Category::Spectrum:
            return lists.spectrum.names;
        default:
            return lists.constellation.names;
    }
}

}  // namespace

extern "C" {

// Each action returns 1 when the screen changed.
EMSCRIPTEN_KEEPALIVE int QvOpen(const char* path) {
    return Screen().Open(path) ? 1 : 0;
}
EMSCRIPTEN_KEEPALIVE const char* QvError() {
    return Screen().Error().c_str();
}
EMSCRIPTEN_KEEPALIVE int QvPressKey(int key) {
    return Apply(Screen().Navigation().PressKey(static_cast<NavKey>(key)));
}
EMSCRIPTEN_KEEPALIVE int QvCloseUp(int family) {
    return Apply(Screen().Navigation().CloseUp(Family(family)));
}
EMSCRIPTEN_KEEPALIVE int QvSelect(int family, int index) {
    return Apply(Screen().Navigation().SelectionChanged(Family(family), index));
}
EMSCRIPTEN_KEEPALIVE int QvWheel(int lines) {
    return Apply(Screen().Navigation().StepCurrentList(lines));
}
EMSCRIPTEN_KEEPALIVE int QvChooseLanguage(int language) {
    return Apply(Screen().Navigation().ChooseLanguage(static_cast<Language>(language)));
}
EMSCRIPTEN_KEEPALIVE int QvChooseDvbType(int dvbType) {
    return Apply(Screen().Navigation().ChooseDvbType(static_cast<DvbType>(dvbType)));
}
EMSCRIPTEN_KEEPALIVE int QvPointer(int x, int y) {
    return Apply(Screen().Navigation().PointerMoved(x, y));
}

EMSCRIPTEN_KEEPALIVE int QvCategory() {
    return static_cast<int>(Screen().Navigation().State().category);
}
EMSCRIPTEN_KEEPALIVE int QvShowMore() {
    return Screen().Navigation().State().showMore ? 1 : 0;
}
EMSCRIPTEN_KEEPALIVE int QvReferenceLevel() {
    return Screen().Navigation().State().referenceLevel;
}
EMSCRIPTEN_KEEPALIVE int QvCursorX() {
    return Screen().Navigation().State().cursorX;
}
EMSCRIPTEN_KEEPALIVE int QvSelection(int family) {
    return Screen().Navigation().Selection(Family(family));
}
EMSCRIPTEN_KEEPALIVE int QvCount(int family) {
    return static_cast<int>(NamesOf(Family(family)).size());
}
EMSCRIPTEN_KEEPALIVE const char* QvName(int family, int index) {
    return HandOut(Utf8FromText8(NamesOf(Family(family)).at(static_cast<std::size_t>(index))));
}
EMSCRIPTEN_KEEPALIVE const char* QvHelpLine() {
    return Screen().Navigation().HelpLine().c_str();
}
// Empty while the window would show no tooltip.
EMSCRIPTEN_KEEPALIVE const char* QvCursorTip() {
    const Navigator& navigator = Screen().Navigation();
    return navigator.ShowsCursorTip() ? navigator.CursorTipText().c_str() : "";
}

EMSCRIPTEN_KEEPALIVE const std::uint32_t* QvScreenRgba() {
    return Screen().Rgba().data();
}
EMSCRIPTEN_KEEPALIVE const std::uint8_t* QvScreenBmp() {
    Bytes() = Screen().Bmp();
    return Bytes().data();
}
EMSCRIPTEN_KEEPALIVE int QvBytesSize() {
    return static_cast<int>(Bytes().size());
}
// 0 for BMP, 1 for PNG; empty while the screen is black.
EMSCRIPTEN_KEEPALIVE const char* QvPictureName(int png) {
    return HandOut(Screen().PictureName(png != 0 ? PictureFormat::Png : PictureFormat::Bmp));
}
EMSCRIPTEN_KEEPALIVE const std::uint8_t* QvRecordBytes() {
    const SourceRecord* record = Screen().Record();
    Bytes().assign(record->bytes.begin(), record->bytes.end());
    return Bytes().data();
}

EMSCRIPTEN_KEEPALIVE int QvPlanFigures(const char* sourceName) {
    return static_cast<int>(Figures().Plan(*Screen().Record(), sourceName));
}
EMSCRIPTEN_KEEPALIVE const char* QvFigureName(int index) {
    return Figures().FileName(static_cast<std::size_t>(index)).c_str();
}
EMSCRIPTEN_KEEPALIVE const std::uint32_t* QvPaintFigure(int index) {
    return Figures().Paint(static_cast<std::size_t>(index)).data();
}
EMSCRIPTEN_KEEPALIVE const char* QvFigureIndex(const char* recordSha256) {
    return HandOut(Figures().IndexJson(recordSha256));
}

}  // extern "C"
