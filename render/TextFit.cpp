#include "render/TextFit.h"

namespace quorvel {

std::optional<UnfitText> CheckFit(std::u16string_view text, const RenderedText& block,
                                  RectF box, IntPoint layoutAt, IntRect clip) {
    bool fits = true;
    std::u16string shown;
    bool joinsWord = false;  // the previous shown line ended inside a word
    for (const RenderedLine& line : block.lines) {
        fits &= !line.breaksWord;
        const bool whole = Contains(clip, Moved(line.ink, layoutAt));
        if (!whole) {
            fits = false;
            joinsWord = false;
            continue;
        }
        std::u16string_view part = text.substr(line.start, line.length);
        while (!part.empty() && part.back() == u' ') part.remove_suffix(1);
        if (!shown.empty() && !joinsWord && !part.empty()) shown += u' ';
        shown += part;
        joinsWord = line.breaksWord;
    }
    if (fits) return std::nullopt;
    return UnfitText{std::u16string(text), box, shown};
}

void AddUnfitTexts(const DisplayList& list, const PixelRegion& area,
                   std::vector<UnfitText>& unfit) {
    for (const DrawOp& op : list.ops) {
        const auto* text = std::get_if<TextShape>(&op.shape);
        if (text == nullptr || !text->box || !area.Intersects(op.clip)) continue;
        if (auto found = CheckFit(text->Text(), *text->rendered, *text->box, text->origin, op.clip)) {
            unfit.push_back(std::move(*found));
        }
    }
}

}  // namespace quorvel
