// What the user can pick: per screen family, the accepted entries of one broadcast family.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "data/ConstellationEntry.h"
#include "data/MeasureEntry.h"
#include "data/SourceRecord.h"
#include "data/SpectrumEntry.h"
#include "data/Types.h"

namespace quorvel {

// Byte-for-byte copies of accepted entries in slot order; position k is line k of the list.
template <std::size_t EntrySize, std::size_t Positions>
struct ViewList {
    std::array<std::array<std::uint8_t, EntrySize>, Positions> entries{};
    std::vector<std::string> names;  // one per valid position, in the same order

    std::size_t Count() const { return names.size(); }
    bool Empty() const { return names.empty(); }
    std::span<const std::uint8_t, EntrySize> At(std::size_t position) const {
        return entries[position];
    }
};

struct Catalogue {
    ViewList<record::kSpectrumEntrySize, record::kSpectrumSlots> spectrum;
    ViewList<record::kConstellationEntrySize, record::kConstellationSlots> constellation;
    ViewList<record::kMeasureEntrySize, record::kMeasureSlots> measure;

    // Only positions below Count() are meaningful.
    SpectrumEntry Spectrum(std::size_t position) const { return SpectrumEntry(spectrum.At(position)); }
    ConstellationEntry Constellation(std::size_t position) const {
        return ConstellationEntry(constellation.At(position));
    }
    MeasureEntry Measure(std::size_t position) const { return MeasureEntry(measure.At(position)); }

    std::size_t Count(Category family) const;
};

// Rebuilds every list from the record for `dvbType` (stamping the magic first, which may clear
// the record's presence masks).
void RebuildCatalogue(SourceRecord& record, DvbType dvbType, Catalogue& catalogue);

// The family a rebuild makes current: Measure, then Constellation, then Spectrum, whichever
// first has names; nullopt when all three are empty (the current family then stays).
std::optional<Category> PreferredCategory(const Catalogue& catalogue);

// Why the catalogue would refuse a slot for `dvbType`, or nullopt when it accepts it.
enum class Rejection { NotPresent, EmptyName, NameTooLong, OtherDvbType };
std::optional<Rejection> CheckSlot(const SourceRecord& record, EntryKind kind, std::size_t slot,
                                   DvbType dvbType);

}  // namespace quorvel
