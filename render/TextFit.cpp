#include "render/TextFit.h"

namespace quorvel {

std::optional<UnfitText> CheckFit(std::u16string_view text, const RenderedText& block,
                                  RectF box, QPoint layoutAt, const QRect& clip) {
    bool fits = true;
    std::u16string shown;
    bool joinsWord = false;  // the previous shown line ended inside a word
    for (const RenderedLine& line : block.lines) {
        fits &= !line.breaksWord;
        const bool whole = line.ink.isEmpty() || clip.contains(line.ink.translated(layoutAt));
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

}  // namespace quorvel
