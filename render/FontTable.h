// The meter's typeface as data: coverage maps, metrics, kerning and line-break classes per size.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace quorvel {

// Distances are in 1/64 pixel unless named in whole pixels.
struct GlyphEntry {
    std::int32_t advance = 0;       // pen step to a following glyph that does not kern with it
    std::int32_t rightBearing = 0;  // negative when ink reaches past the advance
    // Whole pixels from the pen position on the baseline.
    std::int16_t inkLeft = 0, inkTop = 0;
    std::uint16_t inkWidth = 0, inkHeight = 0;  // zero width: no ink
    std::int16_t mapLeft = 0, mapTop = 0;
    std::uint16_t mapWidth = 0, mapHeight = 0;  // coverage rows, tightly packed
    std::uint32_t mapOffset = 0;
};

struct KerningPair {
    std::uint16_t first = 0, second = 0;  // character indices
    std::int32_t adjustment = 0;
    bool operator<(const KerningPair& other) const {
        return first != other.first ? first < other.first : second < other.second;
    }
};

struct FontSizeData {
    int pixelSize = 0;
    std::int32_t ascent = 0;
    std::int32_t lineHeight = 0;       // leading included
    std::vector<GlyphEntry> glyphs;    // one per character, in the table's character order
    std::vector<KerningPair> kerning;  // sorted
    std::vector<std::uint8_t> coverage;

    std::int32_t Step(std::uint16_t first, std::uint16_t second) const;
    std::span<const std::uint8_t> Map(const GlyphEntry& glyph) const {
        return std::span(coverage).subspan(glyph.mapOffset,
                                           std::size_t{glyph.mapWidth} * glyph.mapHeight);
    }
};

// How a character takes part in a number (a sign or unit before or after it, an opening or
// closing bracket, digits and the separators between them): a line does not break inside one.
enum class NumberPart : std::uint8_t {
    None = 0,
    PrefixOrPostfix = 1,
    OpenOrHyphen = 2,
    Digit = 3,
    Separator = 4,
    Close = 5
};

struct FontTableData {
    std::vector<char16_t> characters;         // ascending
    std::vector<std::uint8_t> wordCharacter;  // per character: a letter or digit
    std::vector<std::uint8_t> breakClass;     // per character
    std::vector<std::uint8_t> numberPart;     // per character, a NumberPart
    int classCount = 0;
    // classCount * classCount: 1 where a line may break between a character of the row's class
    // and a following one of the column's class.
    std::vector<std::uint8_t> breaks;
    std::vector<FontSizeData> sizes;
};

// The table file's bytes; the writer in tools/ produces exactly what this reads.
std::vector<std::uint8_t> SerializeFontTable(const FontTableData& table);
std::optional<FontTableData> ParseFontTable(std::span<const std::uint8_t> bytes);

// Character look-ups over a parsed table. A character the table lacks is drawn, measured and
// broken as the table's substitute ('?'), the same on every machine.
class FontTable {
  public:
    explicit FontTable(FontTableData data);

    std::uint16_t IndexOf(char16_t character) const {
        return character < m_index.size() ? m_index[character] : m_substitute;
    }
    // False for a character drawn as the substitute.
    bool Holds(char16_t character) const {
        return std::binary_search(m_data.characters.begin(), m_data.characters.end(), character);
    }
    bool IsWordCharacter(std::uint16_t index) const { return m_data.wordCharacter[index] != 0; }
    NumberPart NumberPartOf(std::uint16_t index) const {
        return static_cast<NumberPart>(m_data.numberPart[index]);
    }
    bool BreaksBetween(std::uint16_t first, std::uint16_t second) const {
        const auto classes = static_cast<std::size_t>(m_data.classCount);
        return m_data.breaks[m_data.breakClass[first] * classes + m_data.breakClass[second]] != 0;
    }
    // The size nearest to `pixelSize`.
    const FontSizeData& Size(int pixelSize) const;
    const FontTableData& Data() const { return m_data; }

  private:
    FontTableData m_data;
    std::vector<std::uint16_t> m_index;
    std::uint16_t m_substitute = 0;
};

// The table built into the program (res/font).
const FontTable& ScreenFontTable();

}  // namespace quorvel
