#include "render/TextFit.h"

#include "render/FontTable.h"
#include "render/TextLayout.h"

namespace quorvel {

namespace {

// Laid out on its own, not taken from the block: a wrapped block's width is its widest line.
double SingleLineWidth(std::u16string_view text, int pixelSize) {
    const FontTable& table = ScreenFontTable();
    return LayOutText(table, table.Size(pixelSize), text, -1.0f, Align::Near).width / 64.0;
}

}  // namespace

std::optional<UnfitText> CheckFit(const TextShape& text, IntRect clip) {
    bool fits = true;
    std::u16string shown;
    bool joinsWord = false;  // the previous shown line ended inside a word
    for (const RenderedLine& line : text.rendered->lines) {
        fits &= !line.breaksWord;
        const bool whole = Contains(clip, Moved(line.ink, text.origin));
        if (!whole) {
            fits = false;
            joinsWord = false;
            continue;
        }
        std::u16string_view part = std::u16string_view(text.Text()).substr(line.start, line.length);
        while (!part.empty() && part.back() == u' ') part.remove_suffix(1);
        if (!shown.empty() && !joinsWord && !part.empty()) shown += u' ';
        shown += part;
        joinsWord = line.breaksWord;
    }
    if (fits) return std::nullopt;
    return UnfitText{text.Text(), *text.box,      shown,
                     text.word, text.pixelSize, SingleLineWidth(text.Text(), text.pixelSize)};
}

void AddUnfitTexts(const DisplayList& list, const PixelRegion& area,
                   std::vector<UnfitText>& unfit) {
    for (const DrawOp& op : list.ops) {
        const auto* text = std::get_if<TextShape>(&op.shape);
        if (text == nullptr || !text->box || !area.Intersects(op.clip)) continue;
        if (auto found = CheckFit(*text, op.clip)) unfit.push_back(std::move(*found));
    }
}

}  // namespace quorvel
