#include "data/EntryWriter.h"

#include <stdexcept>
#include <string>

#include "data/FieldLayout.h"
#include "data/SourceRecord.h"

namespace quorvel {

namespace {

[[noreturn]] void Fail(std::string_view name) {
    throw std::logic_error("entry writer: cannot write field " + std::string(name));
}

const layout::Field& FieldNamed(EntryKind kind, std::string_view name) {
    const layout::Field* field = layout::FindField(kind, name);
    if (field == nullptr) Fail(name);
    return *field;
}

}  // namespace

EntryWriter& EntryWriter::Set(std::string_view name, std::int64_t value, std::size_t index) {
    if (!layout::WriteNumber(m_entry, FieldNamed(m_kind, name), value, index)) Fail(name);
    return *this;
}

EntryWriter& EntryWriter::Text(std::string_view name, std::string_view text) {
    if (!layout::WriteText(m_entry, FieldNamed(m_kind, name), text)) Fail(name);
    return *this;
}

EntryWriter& EntryWriter::Text(std::string_view name, std::u16string_view text) {
    if (!layout::WriteText(m_entry, FieldNamed(m_kind, name), text)) Fail(name);
    return *this;
}

void StampMagic(std::span<std::uint8_t> record) {
    for (std::size_t i = 0; i < 4; ++i) {
        record[record::kMagicOffset + i] = static_cast<std::uint8_t>(record::kMagic >> (8 * i));
    }
}

void MarkPresent(std::span<std::uint8_t> record, EntryKind kind, std::size_t slot) {
    if (slot >= record::LayoutOf(kind).slots) throw std::logic_error("entry writer: no such slot");
    record[record::LayoutOf(kind).maskOffset + slot / 8] |=
        static_cast<std::uint8_t>(1u << (slot % 8));
}

std::span<std::uint8_t> SlotBytes(std::span<std::uint8_t> record, EntryKind kind,
                                  std::size_t slot) {
    const record::KindLayout layout = record::LayoutOf(kind);
    if (slot >= layout.slots) throw std::logic_error("entry writer: no such slot");
    return record.subspan(layout.entriesOffset + slot * layout.entrySize, layout.entrySize);
}

EntryWriter PlaceEntry(std::span<std::uint8_t> record, EntryKind kind, std::size_t slot,
                       std::uint8_t dvbType, std::string_view name, bool present) {
    EntryWriter writer(SlotBytes(record, kind, slot), kind);
    if (present) MarkPresent(record, kind, slot);
    writer.Set("dvbType", dvbType).Text("name", name);
    return writer;
}

}  // namespace quorvel
