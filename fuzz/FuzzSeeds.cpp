#include "fuzz/FuzzSeeds.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <random>
#include <span>
#include <string_view>

#include "data/EntryHeader.h"
#include "data/SourceRecord.h"

namespace quorvel::seeds {

namespace {

using Bytes = std::vector<std::uint8_t>;

// std::mt19937's output is fixed by the standard; the distributions are not, so bytes are
// taken from the engine directly.
class ByteSource {
  public:
    explicit ByteSource(std::uint32_t seed) : m_engine(seed) {}
    std::uint8_t Next() { return static_cast<std::uint8_t>(m_engine() >> 24); }
    void Fill(std::span<std::uint8_t> bytes) {
        for (std::uint8_t& byte : bytes) byte = Next();
    }

  private:
    std::mt19937 m_engine;
};

void Put32(Bytes& bytes, std::size_t offset, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void Put16(Bytes& bytes, std::size_t offset, std::uint16_t value) {
    bytes[offset] = static_cast<std::uint8_t>(value);
    bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

Bytes EmptyRecord() {
    Bytes bytes(record::kSize, 0);
    Put32(bytes, record::kMagicOffset, record::kMagic);
    return bytes;
}

constexpr std::array kKinds{EntryKind::Constellation, EntryKind::Spectrum, EntryKind::Measure};

void SetEveryPresenceBit(Bytes& bytes) {
    for (const EntryKind kind : kKinds) {
        const record::KindLayout layout = record::LayoutOf(kind);
        for (std::size_t bit = 0; bit < layout.slots; ++bit) {
            bytes[layout.maskOffset + bit / 8] |= static_cast<std::uint8_t>(1u << (bit % 8));
        }
    }
}

void SetPresent(Bytes& bytes, EntryKind kind, std::size_t slot) {
    const record::KindLayout layout = record::LayoutOf(kind);
    bytes[layout.maskOffset + slot / 8] |= static_cast<std::uint8_t>(1u << (slot % 8));
}

std::size_t EntryOffset(EntryKind kind, std::size_t slot) {
    const record::KindLayout layout = record::LayoutOf(kind);
    return layout.entriesOffset + slot * layout.entrySize;
}

// The header of a present entry: broadcast family byte and a name of any length up to the
// 30-byte field (30 leaves no NUL inside it).
void PutHeader(Bytes& bytes, EntryKind kind, std::size_t slot, DvbType dvbType,
               std::string_view name) {
    SetPresent(bytes, kind, slot);
    const std::size_t at = EntryOffset(kind, slot);
    bytes[at + entry::kDvbTypeOffset] = static_cast<std::uint8_t>(dvbType);
    std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(at + entry::kNameOffset),
                entry::kNameFieldSize, 0);
    const std::string_view kept = name.substr(0, entry::kNameFieldSize);
    std::copy(kept.begin(), kept.end(),
              bytes.begin() + static_cast<std::ptrdiff_t>(at + entry::kNameOffset));
}

void PutHeaderEverywhere(Bytes& bytes, ByteSource& source) {
    constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 -\xE9\xE8";
    for (const EntryKind kind : kKinds) {
        for (std::size_t slot = 0; slot < record::LayoutOf(kind).slots; ++slot) {
            std::string name(1 + source.Next() % entry::kMaxNameLength, ' ');
            for (char& letter : name) letter = kLetters[source.Next() % kLetters.size()];
            PutHeader(bytes, kind, slot, static_cast<DvbType>(slot % 3), name);
        }
    }
}

Bytes DemoLikeRecord() {
    Bytes bytes = EmptyRecord();
    for (const DvbType dvbType : {DvbType::Cable, DvbType::Terrestrial, DvbType::Satellite}) {
        const auto slot = static_cast<std::size_t>(dvbType);
        PutHeader(bytes, EntryKind::Measure, slot, dvbType, "Measure");
        PutHeader(bytes, EntryKind::Spectrum, slot, dvbType, "Sweep");
        PutHeader(bytes, EntryKind::Constellation, slot, dvbType, "Diagram");
    }
    return bytes;
}

Bytes WithoutMagic() {
    Bytes bytes = DemoLikeRecord();
    SetEveryPresenceBit(bytes);
    Put32(bytes, record::kMagicOffset, 0);
    return bytes;
}

Bytes MagicInWrongByteOrder() {
    Bytes bytes = DemoLikeRecord();
    SetEveryPresenceBit(bytes);
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[record::kMagicOffset + i] = static_cast<std::uint8_t>(record::kMagic >> (24 - 8 * i));
    }
    return bytes;
}

Bytes NameLengths() {
    Bytes bytes = EmptyRecord();
    const std::string longest(entry::kMaxNameLength, 'W');
    const std::string tooLong(entry::kNameFieldSize, 'W');
    for (const EntryKind kind : kKinds) {
        PutHeader(bytes, kind, 0, DvbType::Satellite, longest);
        PutHeader(bytes, kind, 1, DvbType::Satellite, tooLong);
        PutHeader(bytes, kind, 2, DvbType::Satellite, "");
        PutHeader(bytes, kind, 3, DvbType::Satellite, "\xFF\x80\x81\x8D\x8F\x90\x9D\xA0");
        PutHeader(bytes, kind, 4, static_cast<DvbType>(3), "Unknown family");
    }
    return bytes;
}

// Sweeps whose frequencies and levels break the arithmetic of a naive plot.
Bytes SpectrumEdges() {
    Bytes bytes = EmptyRecord();
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    struct Sweep {
        std::string_view name;
        std::int32_t startMHz, currentMHz, endMHz;
        std::uint16_t currentLevel;
        std::uint8_t levelFill;
    };
    constexpr std::array kSweeps{
        Sweep{"end below start", 2150, 1000, 950, 60, 0x40},
        Sweep{"start equals end", 1000, 1000, 1000, 60, 0x40},
        Sweep{"widest span", kMin, 0, kMax, 0xFFFF, 0x7F},
        Sweep{"narrowest levels", kMax, kMin, kMin, 0, 0x80},
        Sweep{"current below start", 950, -5, 2150, 90, 0x00},
        Sweep{"current above end", 950, 99999, 2150, 90, 0xFF},
        Sweep{"more than 202 samples", 0, 5000, 100000, 120, 0x50},
        Sweep{"one MHz wide", 100, 100, 101, 75, 0x4B},
    };
    for (std::size_t slot = 0; slot < kSweeps.size(); ++slot) {
        const Sweep& sweep = kSweeps[slot];
        PutHeader(bytes, EntryKind::Spectrum, slot, DvbType::Satellite, sweep.name);
        const std::size_t at = EntryOffset(EntryKind::Spectrum, slot);
        Put32(bytes, at + 32, static_cast<std::uint32_t>(sweep.startMHz));
        Put32(bytes, at + 36, static_cast<std::uint32_t>(sweep.currentMHz));
        Put32(bytes, at + 40, static_cast<std::uint32_t>(sweep.endMHz));
        Put16(bytes, at + 44, sweep.currentLevel);
        bytes[at + 46] = 0xFF;
        bytes[at + 47] = 0xFF;
        std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(at + 50), 202, sweep.levelFill);
    }
    return bytes;
}

// Diagram points at both ends of their range, and every other field at its extremes.
Bytes ConstellationLimits() {
    Bytes bytes = EmptyRecord();
    constexpr std::array<std::uint16_t, 4> kCorners{0x8000, 0x7FFF, 0x0000, 0xFFFF};
    for (std::size_t slot = 0; slot < 4; ++slot) {
        PutHeader(bytes, EntryKind::Constellation, slot, DvbType::Terrestrial, "Points at limits");
        const std::size_t at = EntryOffset(EntryKind::Constellation, slot);
        const std::uint8_t fill = slot % 2 == 0 ? 0xFF : 0x00;
        std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(at + 32), 140 - 32, fill);
        for (std::size_t point = 0; point < 1000; ++point) {
            Put16(bytes, at + 140 + 2 * point, kCorners[(point + slot) % 4]);
            Put16(bytes, at + 2140 + 2 * point, kCorners[(point / 4 + slot) % 4]);
        }
    }
    return bytes;
}

// Measure entries with every field byte 0xFF or 0x00, for each broadcast family.
Bytes MeasureLimits() {
    Bytes bytes = EmptyRecord();
    std::size_t slot = 0;
    for (const DvbType dvbType : {DvbType::Cable, DvbType::Terrestrial, DvbType::Satellite}) {
        for (const std::uint8_t fill : {std::uint8_t{0xFF}, std::uint8_t{0x00}}) {
            const std::size_t at = EntryOffset(EntryKind::Measure, slot);
            std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), record::kMeasureEntrySize,
                        fill);
            PutHeader(bytes, EntryKind::Measure, slot, dvbType, "Every field at its limit");
            ++slot;
        }
    }
    return bytes;
}

Bytes Resized(Bytes bytes, std::size_t size, std::uint8_t fill) {
    bytes.resize(size, fill);
    return bytes;
}

}  // namespace

std::vector<std::uint8_t> RandomRecord(std::uint32_t seed) {
    Bytes bytes(record::kSize);
    ByteSource source(seed);
    source.Fill(bytes);
    return bytes;
}

std::vector<std::uint8_t> RandomListedRecord(std::uint32_t seed) {
    Bytes bytes = RandomRecord(seed);
    Put32(bytes, record::kMagicOffset, record::kMagic);
    ByteSource source(~seed);
    PutHeaderEverywhere(bytes, source);
    return bytes;
}

std::vector<Seed> SourceSeeds() {
    std::vector<Seed> seeds{
        {"all-masks-random.dat",
         [] {
             Bytes bytes = RandomRecord(1);
             Put32(bytes, record::kMagicOffset, record::kMagic);
             SetEveryPresenceBit(bytes);
             return bytes;
         }()},
        {"all-masks-valid-names.dat", RandomListedRecord(2)},
        {"constellation-limits.dat", ConstellationLimits()},
        {"empty.dat", {}},
        {"magic-only.dat", EmptyRecord()},
        {"magic-wrong-byte-order.dat", MagicInWrongByteOrder()},
        {"measure-limits.dat", MeasureLimits()},
        {"name-lengths.dat", NameLengths()},
        {"no-magic.dat", WithoutMagic()},
        {"one-byte.dat", {0xDD}},
        {"one-byte-long.dat", Resized(DemoLikeRecord(), record::kSize + 1, 0xAB)},
        {"one-byte-short.dat", Resized(DemoLikeRecord(), record::kSize - 1, 0)},
        {"spectrum-edges.dat", SpectrumEdges()},
    };
    return seeds;
}

}  // namespace quorvel::seeds
