#include "render/FontTable.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <type_traits>

#include "render/FontTableBytes.h"

namespace quorvel {
namespace {

constexpr std::uint32_t kMagic = 0x54465651;  // "QVFT"
constexpr std::uint32_t kVersion = 1;

// One field list for both directions, so the writer and the reader cannot drift apart. Numbers are
// little-endian; every list is preceded by its length.
class Writer {
  public:
    template <typename T>
    bool Number(const T& value) {
        using Unsigned = std::make_unsigned_t<T>;
        auto bits = static_cast<Unsigned>(value);
        for (std::size_t i = 0; i < sizeof(T); ++i, bits = static_cast<Unsigned>(bits >> 8)) {
            m_bytes.push_back(static_cast<std::uint8_t>(bits & 0xFF));
        }
        return true;
    }
    template <typename T>
    bool Length(const std::vector<T>& list) {
        return Number(static_cast<std::uint32_t>(list.size()));
    }
    std::vector<std::uint8_t> Take() { return std::move(m_bytes); }

  private:
    std::vector<std::uint8_t> m_bytes;
};

class Reader {
  public:
    explicit Reader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    template <typename T>
    bool Number(T& value) {
        if (m_bytes.size() - m_at < sizeof(T)) return false;
        std::make_unsigned_t<T> bits = 0;
        for (std::size_t i = sizeof(T); i-- > 0;)
            bits = static_cast<decltype(bits)>((bits << 8) | m_bytes[m_at + i]);
        value = static_cast<T>(bits);
        m_at += sizeof(T);
        return true;
    }
    // Every element takes at least one byte, which bounds a length read from a damaged file.
    template <typename T>
    bool Length(std::vector<T>& list) {
        std::uint32_t size = 0;
        if (!Number(size) || size > m_bytes.size() - m_at) return false;
        list.resize(size);
        return true;
    }
    bool AtEnd() const { return m_at == m_bytes.size(); }

  private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_at = 0;
};

template <typename Io, typename T, typename Each>
bool List(Io& io, std::vector<T>& list, Each each) {
    if (!io.Length(list)) return false;
    return std::all_of(list.begin(), list.end(), [&](T& element) { return each(element); });
}

template <typename Io, typename T>
bool Numbers(Io& io, std::vector<T>& list) {
    return List(io, list, [&](T& value) { return io.Number(value); });
}

template <typename Io>
bool Transfer(Io& io, GlyphEntry& glyph) {
    return io.Number(glyph.advance) && io.Number(glyph.rightBearing) && io.Number(glyph.inkLeft) &&
           io.Number(glyph.inkTop) && io.Number(glyph.inkWidth) && io.Number(glyph.inkHeight) &&
           io.Number(glyph.mapLeft) && io.Number(glyph.mapTop) && io.Number(glyph.mapWidth) &&
           io.Number(glyph.mapHeight) && io.Number(glyph.mapOffset);
}

template <typename Io>
bool Transfer(Io& io, FontSizeData& size) {
    return io.Number(size.pixelSize) && io.Number(size.ascent) && io.Number(size.lineHeight) &&
           List(io, size.glyphs, [&](GlyphEntry& glyph) { return Transfer(io, glyph); }) &&
           List(io, size.kerning,
                [&](KerningPair& pair) {
                    return io.Number(pair.first) && io.Number(pair.second) &&
                           io.Number(pair.adjustment);
                }) &&
           Numbers(io, size.coverage);
}

template <typename Io>
bool Transfer(Io& io, FontTableData& table) {
    std::uint32_t magic = kMagic;
    std::uint32_t version = kVersion;
    return io.Number(magic) && magic == kMagic && io.Number(version) && version == kVersion &&
           Numbers(io, table.characters) && Numbers(io, table.wordCharacter) &&
           Numbers(io, table.breakClass) && Numbers(io, table.numberPart) &&
           io.Number(table.classCount) && Numbers(io, table.breaks) &&
           List(io, table.sizes, [&](FontSizeData& size) { return Transfer(io, size); });
}

// What the layout relies on without checking again: every index and map lies inside its list.
bool Consistent(const FontTableData& table) {
    const std::size_t count = table.characters.size();
    const auto classes = static_cast<std::size_t>(table.classCount);
    if (count == 0 || table.wordCharacter.size() != count || table.breakClass.size() != count ||
        table.breaks.size() != classes * classes || table.sizes.empty() ||
        !std::is_sorted(table.characters.begin(), table.characters.end()) ||
        std::any_of(table.breakClass.begin(), table.breakClass.end(),
                    [&](std::uint8_t c) { return c >= classes; }) ||
        std::any_of(table.numberPart.begin(), table.numberPart.end(), [](std::uint8_t p) {
            return p > static_cast<std::uint8_t>(NumberPart::Close);
        })) {
        return false;
    }
    return std::all_of(table.sizes.begin(), table.sizes.end(), [&](const FontSizeData& size) {
        return size.glyphs.size() == count &&
               std::is_sorted(size.kerning.begin(), size.kerning.end()) &&
               std::all_of(
                   size.kerning.begin(), size.kerning.end(),
                   [&](const KerningPair& p) { return p.first < count && p.second < count; }) &&
               std::all_of(size.glyphs.begin(), size.glyphs.end(), [&](const GlyphEntry& g) {
                   return g.mapOffset + std::size_t{g.mapWidth} * g.mapHeight <=
                          size.coverage.size();
               });
    });
}

}  // namespace

std::int32_t FontSizeData::Step(std::uint16_t first, std::uint16_t second) const {
    const KerningPair key{first, second, 0};
    const auto found = std::lower_bound(kerning.begin(), kerning.end(), key);
    const std::int32_t adjustment =
        found != kerning.end() && found->first == first && found->second == second
            ? found->adjustment
            : 0;
    return glyphs[first].advance + adjustment;
}

std::vector<std::uint8_t> SerializeFontTable(const FontTableData& table) {
    Writer writer;
    Transfer(writer, const_cast<FontTableData&>(table));
    return writer.Take();
}

std::optional<FontTableData> ParseFontTable(std::span<const std::uint8_t> bytes) {
    Reader reader(bytes);
    FontTableData table;
    if (!Transfer(reader, table) || !reader.AtEnd() || !Consistent(table)) return std::nullopt;
    return table;
}

FontTable::FontTable(FontTableData data) : m_data(std::move(data)) {
    const auto& characters = m_data.characters;
    const auto substitute = std::lower_bound(characters.begin(), characters.end(), u'?');
    if (substitute != characters.end() && *substitute == u'?') {
        m_substitute = static_cast<std::uint16_t>(substitute - characters.begin());
    }
    m_index.assign(std::size_t{characters.back()} + 1, m_substitute);
    for (std::size_t i = 0; i < characters.size(); ++i) {
        m_index[characters[i]] = static_cast<std::uint16_t>(i);
    }
}

const FontSizeData& FontTable::Size(int pixelSize) const {
    return *std::min_element(m_data.sizes.begin(), m_data.sizes.end(),
                             [&](const FontSizeData& a, const FontSizeData& b) {
                                 return std::abs(a.pixelSize - pixelSize) <
                                        std::abs(b.pixelSize - pixelSize);
                             });
}

const FontTable& ScreenFontTable() {
    // The build checks the embedded bytes by parsing them in the tests; a table that does not
    // parse here is a broken build, not a user's error.
    static const FontTable table(ParseFontTable(EmbeddedFontTableBytes()).value());
    return table;
}

}  // namespace quorvel
