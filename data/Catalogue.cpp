#include "data/Catalogue.h"

#include <algorithm>

#include "data/EntryHeader.h"

namespace quorvel {

namespace {

// Appends every accepted slot of one kind to `list`, positions in rising slot order.
template <EntryKind Kind, std::size_t EntrySize, std::size_t Positions>
void FillViewList(const SourceRecord& record, DvbType dvbType,
                  ViewList<EntrySize, Positions>& list) {
    static_assert(EntrySize == record::LayoutOf(Kind).entrySize);
    static_assert(Positions == record::LayoutOf(Kind).slots);
    constexpr EntryKind kind = Kind;
    for (std::size_t slot = 0; slot < Positions; ++slot) {
        if (CheckSlot(record, kind, slot, dvbType).has_value()) continue;
        const std::span<const std::uint8_t> source = record.Slot(kind, slot);
        auto& target = list.entries[list.Count()];
        std::copy(source.begin(), source.end(), target.begin());
        list.names.emplace_back(entry::Name(target));
    }
}

template <std::size_t EntrySize, std::size_t Positions>
void Clear(ViewList<EntrySize, Positions>& list) {
    for (auto& entry : list.entries) entry.fill(0);
    list.names.clear();
}

}  // namespace

void RebuildCatalogue(SourceRecord& record, DvbType dvbType, Catalogue& catalogue) {
    Clear(catalogue.spectrum);
    Clear(catalogue.constellation);
    Clear(catalogue.measure);
    EnsureMagic(record);
    FillViewList<EntryKind::Spectrum>(record, dvbType, catalogue.spectrum);
    FillViewList<EntryKind::Constellation>(record, dvbType, catalogue.constellation);
    FillViewList<EntryKind::Measure>(record, dvbType, catalogue.measure);
}

std::optional<Category> PreferredCategory(const Catalogue& catalogue) {
    if (!catalogue.measure.Empty()) return Category::Measure;
    if (!catalogue.constellation.Empty()) return Category::Constellation;
    if (!catalogue.spectrum.Empty()) return Category::Spectrum;
    return std::nullopt;
}

std::optional<Rejection> CheckSlot(const SourceRecord& record, EntryKind kind, std::size_t slot,
                                   DvbType dvbType) {
    if (!IsSlotPresent(record, kind, slot)) return Rejection::NotPresent;
    const std::span<const std::uint8_t> entry = record.Slot(kind, slot);
    const std::size_t nameLength = entry::Name(entry).size();
    if (nameLength == 0) return Rejection::EmptyName;
    if (nameLength > entry::kMaxNameLength) return Rejection::NameTooLong;
    if (entry[entry::kDvbTypeOffset] != static_cast<std::int32_t>(dvbType)) {
        return Rejection::OtherDvbType;
    }
    return std::nullopt;
}

std::size_t Catalogue::Count(Category family) const {
    switch (family) {
        case Category::Measure:
            return measure.Count();
        case Category::Spectrum:
            return spectrum.Count();
        case Category::Constellation:
            return constellation.Count();
        case Category::None:
            break;
    }
    return 0;
}

}  // namespace quorvel
