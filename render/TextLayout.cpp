#include "render/TextLayout.h"

namespace quorvel {
namespace {

constexpr char16_t kSoftHyphen = u'\u00AD';
// Wide enough for any single line at the screens' sizes, in 1/64 pixel.
constexpr std::int32_t kUnboundedWidth = 1000000 * 64;

// Qt rounds a glyph's position half away from zero, also left of the box, where a line wider
// than the box is centred or right-aligned.
int FixedToPixel(std::int32_t fixed) {
    return RoundToPixel(fixed / 64.0);
}

// What one text needs from the table, by character position.
struct Characters {
    std::u16string_view text;
    std::vector<std::uint16_t> index;
    std::vector<std::int32_t> advance;  // kerned with the next character that draws

    bool IsSpace(std::size_t at) const { return text[at] == u' '; }
    bool IsSoftHyphen(std::size_t at) const { return text[at] == kSoftHyphen; }
};

// A soft hyphen inside a line takes no room, and the glyphs on either side of it kern as if it
// were not there. One that ends the text, or a line that breaks after it or after the spaces
// that follow it, shows as a hyphen; it takes its own room only where no space follows it.
Characters Measure(const FontTable& table, const FontSizeData& size, std::u16string_view text) {
    Characters chars{text, std::vector<std::uint16_t>(text.size()),
                     std::vector<std::int32_t>(text.size())};
    for (std::size_t i = 0; i < text.size(); ++i) chars.index[i] = table.IndexOf(text[i]);
    std::size_t next = text.size();  // the nearest later character that is not a soft hyphen
    for (std::size_t i = text.size(); i-- > 0;) {
        if (chars.IsSoftHyphen(i)) continue;
        chars.advance[i] = next < text.size() ? size.Step(chars.index[i], chars.index[next])
                                              : size.glyphs[chars.index[i]].advance;
        next = i;
    }
    return chars;
}

// How far the last glyph's ink reaches past its advance, which a line must still hold.
std::int32_t Overhang(const FontSizeData& size, const Characters& chars, std::size_t last) {
    return std::max(0, -size.glyphs[chars.index[last]].rightBearing);
}

struct Line {
    std::size_t start = 0;
    std::size_t end = 0;
    std::int32_t advance = 0;  // the glyphs' advances, trailing spaces left out
    std::int32_t overhang = 0;
    bool overflows = false;  // its first word alone is wider than the box
};

// What a number's parts do to the run being followed, by the run's last part (rows) and the next
// character's part (columns).
enum class NumberStep : std::uint8_t { Outside, Begin, Extend, End };
constexpr NumberStep kNumberSteps[6][6] = {
    {NumberStep::Outside, NumberStep::Begin, NumberStep::Begin, NumberStep::Begin,
     NumberStep::Outside, NumberStep::Outside},
    {NumberStep::Outside, NumberStep::Begin, NumberStep::Extend, NumberStep::Extend,
     NumberStep::Outside, NumberStep::Outside},
    {NumberStep::Outside, NumberStep::Begin, NumberStep::Begin, NumberStep::Extend,
     NumberStep::Outside, NumberStep::Outside},
    {NumberStep::End, NumberStep::End, NumberStep::End, NumberStep::Extend, NumberStep::Extend,
     NumberStep::Extend},
    {NumberStep::End, NumberStep::End, NumberStep::End, NumberStep::Extend, NumberStep::Extend,
     NumberStep::Extend},
    {NumberStep::End, NumberStep::Extend, NumberStep::End, NumberStep::End, NumberStep::End,
     NumberStep::End},
};

// breaks[i]: a line may break between characters i - 1 and i where neither is a space. Pairs of
// characters decide, except inside a number, which holds together once a character that
// cannot continue it follows, or the text ends. Spaces do not interrupt a number, and the text's
// first character never starts one: Qt's layout breaks that way.
std::vector<bool> BreakOpportunities(const FontTable& table, const Characters& chars) {
    const std::size_t count = chars.text.size();
    std::vector<bool> breaks(count, false);
    for (std::size_t i = 1; i < count; ++i) {
        breaks[i] = table.BreaksBetween(chars.index[i - 1], chars.index[i]);
    }
    NumberPart last = NumberPart::None;
    std::size_t start = 0;
    for (std::size_t i = 1; i <= count; ++i) {
        if (i < count && chars.IsSpace(i)) continue;
        const NumberPart part = i < count ? table.NumberPartOf(chars.index[i]) : NumberPart::None;
        switch (kNumberSteps[static_cast<int>(last)][static_cast<int>(part)]) {
            case NumberStep::Outside:
                last = NumberPart::None;
                continue;
            case NumberStep::Begin:
                start = i;
                break;
            case NumberStep::Extend:
                break;
            case NumberStep::End:
                std::fill(breaks.begin() + static_cast<std::ptrdiff_t>(start) + 1,
                          breaks.begin() + static_cast<std::ptrdiff_t>(i), false);
                last = NumberPart::None;
                continue;
        }
        last = part;
    }
    return breaks;
}

// The end of the run of characters that starts at `from` and holds no place to break a line.
std::size_t WordEnd(const Characters& chars, const std::vector<bool>& breaks, std::size_t from) {
    std::size_t at = from + 1;
    while (at < chars.text.size() && !chars.IsSpace(at) && !breaks[at]) ++at;
    return at;
}

// A line takes whole words while they fit; its first word goes in whatever its width. Spaces
// stay on the line they follow without counting towards the fit, unless a word follows them on
// that line or they end the text.
Line TakeWords(const FontSizeData& size, const Characters& chars, const std::vector<bool>& breaks,
               std::size_t start, std::int32_t width) {
    Line line{start, start, 0, 0, false};
    bool hasWord = false;
    std::int32_t spaces = 0;
    std::size_t at = start;
    while (at < chars.text.size()) {
        if (chars.IsSpace(at)) {
            spaces = std::min(spaces + chars.advance[at], width);
            line.end = ++at;
            continue;
        }
        const std::size_t end = WordEnd(chars, breaks, at);
        std::int32_t word = 0;
        for (std::size_t i = at; i < end; ++i) word += chars.advance[i];
        const std::int32_t overhang = Overhang(size, chars, end - 1);
        const std::int32_t hyphen =
            chars.IsSoftHyphen(end - 1) ? size.glyphs[chars.index[end - 1]].advance : 0;
        const bool fits = line.advance + spaces + word + hyphen + overhang <= width;
        if (hasWord && !fits) break;
        line.overflows = !hasWord && !fits;
        hasWord = true;
        line.advance += spaces + word;
        line.overhang = overhang;
        spaces = 0;
        line.end = at = end;
    }
    // Spaces that end the text count towards the line's alignment when they fit.
    if (at == chars.text.size() && hasWord && line.advance + spaces + line.overhang <= width) {
        line.advance += spaces;
    }
    return line;
}

// A line whose first word is wider than the box holds, after any leading spaces, as many of that
// word's characters as fit, and at least one.
Line TakeCharacters(const FontSizeData& size, const Characters& chars, std::size_t start,
                    std::int32_t width) {
    Line line{start, start, 0, 0, true};
    while (chars.IsSpace(line.end)) line.advance += chars.advance[line.end++];
    // A soft hyphen would show where the line breaks after it, so it needs the hyphen's room.
    const auto room = [&](std::size_t at) {
        return chars.IsSoftHyphen(at) ? size.glyphs[chars.index[at]].advance : chars.advance[at];
    };
    do {
        line.advance += chars.advance[line.end];
        line.overhang = Overhang(size, chars, line.end);
        ++line.end;
    } while (line.end < chars.text.size() && !chars.IsSpace(line.end) &&
             line.advance + room(line.end) <= width);
    return line;
}

}  // namespace

LaidOutText LayOutText(const FontTable& table, const FontSizeData& size, std::u16string_view text,
                       float width, Align horizontal) {
    const Characters chars = Measure(table, size, text);
    const std::vector<bool> breaks = BreakOpportunities(table, chars);
    const bool wraps = width >= 0;
    // Qt keeps the box's width in 1/64 pixel, cut towards zero.
    const std::int32_t lineWidth =
        wraps ? static_cast<std::int32_t>(std::min(width * 64, float{kUnboundedWidth}))
              : kUnboundedWidth;
    LaidOutText laidOut;
    std::size_t start = 0;
    do {
        Line line = TakeWords(size, chars, breaks, start, lineWidth);
        if (line.overflows) line = TakeCharacters(size, chars, start, lineWidth);
        if (line.end > line.start && chars.IsSoftHyphen(line.end - 1)) {
            line.advance += size.glyphs[chars.index[line.end - 1]].advance;
        }
        std::int32_t pen = 0;
        if (wraps && horizontal == Align::Far) pen = lineWidth - line.advance;
        if (wraps && horizontal == Align::Center) pen = (lineWidth - line.advance) / 2;
        const int baseline = FixedToPixel(laidOut.height + size.ascent);
        LaidOutLine out{static_cast<int>(line.start), static_cast<int>(line.end - line.start),
                        false, laidOut.glyphs.size(), 0};
        std::size_t lastInk = line.end;  // the last character before the trailing spaces
        while (lastInk > line.start && chars.IsSpace(lastInk - 1)) --lastInk;
        for (std::size_t i = line.start; i < line.end; ++i) {
            const bool shown = !chars.IsSoftHyphen(i) || i + 1 == line.end ||
                               (i + 1 == lastInk && line.end < text.size());
            if (shown) laidOut.glyphs.push_back(
                    {chars.index[i], static_cast<int>(i), FixedToPixel(pen), baseline});
            pen += chars.advance[i];
        }
        out.glyphCount = laidOut.glyphs.size() - out.firstGlyph;
        out.breaksWord = line.end > 0 && line.end < text.size() &&
                         table.IsWordCharacter(chars.index[line.end - 1]) &&
                         table.IsWordCharacter(chars.index[line.end]);
        laidOut.lines.push_back(out);
        laidOut.width = std::max(laidOut.width, line.advance + line.overhang);
        laidOut.height += size.lineHeight;
        start = line.end;
    } while (start < text.size());
    return laidOut;
}

}  // namespace quorvel
