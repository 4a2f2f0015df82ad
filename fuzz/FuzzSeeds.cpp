#include "fuzz/FuzzSeeds.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <random>
#include <span>
#include <string_view>

#include "data/ConstellationEntry.h"
#include "data/EntryHeader.h"
#include "data/EntryWriter.h"
#include "data/SpectrumEntry.h"

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

Bytes EmptyRecord() {
    Bytes bytes(record::kSize, 0);
    StampMagic(bytes);
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

// The header of a present entry: broadcast family byte and a name of any length up to the
// 30-byte field (30 leaves no NUL inside it).
EntryWriter PutHeader(Bytes& bytes, EntryKind kind, std::size_t slot, DvbType dvbType,
                      std::string_view name) {
    return PlaceEntry(bytes, kind, slot, static_cast<std::uint8_t>(dvbType), name);
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
    std::fill_n(bytes.begin() + record::kMagicOffset, 4, 0);
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
        EntryWriter entry =
            PutHeader(bytes, EntryKind::Spectrum, slot, DvbType::Satellite, sweep.name);
        entry.Set("startMHz", sweep.startMHz)
            .Set("currentMHz", sweep.currentMHz)
            .Set("endMHz", sweep.endMHz)
            .Set("currentLevel", sweep.currentLevel)
            .Set("tone22k", 0xFF)
            .Set("lnbVoltage", 0xFF);
        for (std::size_t i = 0; i < SpectrumEntry::kLevelCount; ++i)
            entry.Set("levels", sweep.levelFill, i);
    }
    return bytes;
}

// Diagram points at both ends of their range, and every other field at its extremes.
Bytes ConstellationLimits() {
    Bytes bytes = EmptyRecord();
    constexpr std::array<std::uint16_t, 4> kCorners{0x8000, 0x7FFF, 0x0000, 0xFFFF};
    for (std::size_t slot = 0; slot < 4; ++slot) {
        EntryWriter entry = PutHeader(bytes, EntryKind::Constellation, slot, DvbType::Terrestrial,
                                      "Points at limits");
        // Every byte from the first value to the points, read or not.
        const auto values = entry.Bytes().first(layout::constellation::kPointX.offset);
        std::fill(values.begin() + layout::constellation::kFrequency.offset, values.end(),
                  slot % 2 == 0 ? 0xFF : 0x00);
        for (std::size_t point = 0; point < ConstellationEntry::kPointCount; ++point) {
            entry.Set("pointX", kCorners[(point + slot) % 4], point)
                .Set("pointY", kCorners[(point / 4 + slot) % 4], point);
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
            const auto entry = SlotBytes(bytes, EntryKind::Measure, slot);
            std::fill(entry.begin(), entry.end(), fill);
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
    StampMagic(bytes);
    ByteSource source(~seed);
    PutHeaderEverywhere(bytes, source);
    return bytes;
}

std::vector<Seed> SourceSeeds() {
    std::vector<Seed> seeds{
        {"all-masks-random.dat",
         [] {
             Bytes bytes = RandomRecord(1);
             StampMagic(bytes);
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
