// Writes entries field by field through the field table, and the magic and presence bits of a
// record: the one way generators and tests make source records without spelling offsets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "data/Types.h"

namespace quorvel {

// Sets the fields of one entry by their table names. A name the kind lacks or a value that does
// not fit its field is a bug in the caller and throws std::logic_error.
class EntryWriter {
  public:
    EntryWriter(std::span<std::uint8_t> entry, EntryKind kind) : m_entry(entry), m_kind(kind) {}

    // Element `index` of an array field, or the field itself for a scalar (index 0); the low
    // bytes of `value` are kept.
    EntryWriter& Set(std::string_view name, std::int64_t value, std::size_t index = 0);
    // A text, the rest of the field zeroed; a text as long as the field has no terminator.
    EntryWriter& Text(std::string_view name, std::string_view text);
    EntryWriter& Text(std::string_view name, std::u16string_view text);

    std::span<std::uint8_t> Bytes() const { return m_entry; }

  private:
    std::span<std::uint8_t> m_entry;
    EntryKind m_kind;
};

// The record-level bytes around the entries.
void StampMagic(std::span<std::uint8_t> record);
void MarkPresent(std::span<std::uint8_t> record, EntryKind kind, std::size_t slot);
std::span<std::uint8_t> SlotBytes(std::span<std::uint8_t> record, EntryKind kind, std::size_t slot);

// Starts the entry in `slot` with its header (broadcast family byte and name) and, when
// `present`, sets its presence bit; the other bytes of the slot are left as they are.
EntryWriter PlaceEntry(std::span<std::uint8_t> record, EntryKind kind, std::size_t slot,
                       std::uint8_t dvbType, std::string_view name, bool present = true);

}  // namespace quorvel
