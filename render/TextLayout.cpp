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

// A soft hyphen takes no room inside a line, and the glyphs on either side of it kern as if it
// were not there; where it ends a line it shows as a hyphen (see FillLine for its room).
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

// How far a glyph's ink reaches past its advance, which a line must still hold.
std::int32_t Overhang(const FontSizeData& size, const Characters& chars, std::size_t last) {
    return std::max(0, -size.glyphs[chars.index[last]].rightBearing);
}

struct Line {
    std::size_t start = 0;
    std::size_t taken = 0;      // the end of what counts: trailing spaces that did not fit left out
    std::size_t end = 0;        // trailing spaces included
    std::int32_t advance = 0;   // what alignment places: the pen's step over the line
    std::int32_t overhang = 0;  // how far ink reaches past the advance, as far as Qt counts it
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

// What a line is filled with: the runs of characters between line-break opportunities, or,
// where a line of those came out wider than the box, single characters.
enum class Piece : std::uint8_t { Word, Character };

// A line takes pieces while they fit with their last glyph's overhang, its first piece whatever
// its width. Spaces between pieces count once a piece follows them on the line, spaces that end
// the text when they fit; a run of spaces wider than the box ends the line at once. A line that
// stops before a piece counts the overhang of the glyph just before it, none where that is a
// space. A piece that ends in a soft hyphen before a break opportunity needs the hyphen's room
// once the line holds anything wide, and a line that ends after it takes that room.
Line FillLine(const FontSizeData& size, const Characters& chars, const std::vector<bool>& breaks,
              std::size_t start, std::int32_t width, Piece piece) {
    const std::size_t count = chars.text.size();
    Line line{start, start, start, 0, 0};
    std::int32_t spaces = 0;  // between the pieces taken and the next one
    std::int32_t hyphen = 0;  // the room of a soft hyphen that ends the last piece taken
    const auto endBefore = [&](std::size_t at) {
        line.end = at;
        line.advance += hyphen;
        line.overhang = at > 0 ? Overhang(size, chars, at - 1) : 0;
        return line;
    };
    std::size_t at = start;
    while (at < count) {
        if (chars.IsSpace(at)) {
            while (at < count && chars.IsSpace(at)) spaces += chars.advance[at++];
            if (spaces > width) return endBefore(at);
            continue;
        }
        const std::size_t end = piece == Piece::Word ? WordEnd(chars, breaks, at) : at + 1;
        std::int32_t advance = 0;
        for (std::size_t i = at; i < end; ++i) advance += chars.advance[i];
        const std::int32_t room = chars.IsSoftHyphen(end - 1) && (end == count || breaks[end])
                                      ? size.glyphs[chars.index[end - 1]].advance
                                      : 0;
        const std::int32_t need = line.advance + spaces + advance + (line.advance > 0 ? room : 0) +
                                  Overhang(size, chars, end - 1);
        if (line.taken > start && need > width) return endBefore(at);
        line.advance += spaces + advance;
        spaces = 0;
        hyphen = room;
        line.taken = at = end;
    }
    if (line.advance + spaces <= width) {
        line.advance += spaces;
        line.taken = count;
    }
    return endBefore(count);
}

// Words while the line holds them; a line that comes out wider than the box anyway is filled
// again character by character.
Line NextLine(const FontSizeData& size, const Characters& chars, const std::vector<bool>& breaks,
              std::size_t start, std::int32_t width) {
    const Line words = FillLine(size, chars, breaks, start, width, Piece::Word);
    if (words.advance + words.overhang <= width) return words;
    return FillLine(size, chars, breaks, start, width, Piece::Character);
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
        const Line line = NextLine(size, chars, breaks, start, lineWidth);
        std::int32_t pen = 0;
        if (wraps && horizontal == Align::Far) pen = lineWidth - line.advance;
        if (wraps && horizontal == Align::Center) pen = (lineWidth - line.advance) / 2;
        const int baseline = FixedToPixel(laidOut.height + size.ascent);
        LaidOutLine out{static_cast<int>(line.start), static_cast<int>(line.end - line.start),
                        false, laidOut.glyphs.size(), 0};
        for (std::size_t i = line.start; i < line.end; ++i) {
            // A soft hyphen shows where the part of the line that counts ends.
            if (!chars.IsSoftHyphen(i) || i + 1 == line.taken)
                laidOut.glyphs.push_back(
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
