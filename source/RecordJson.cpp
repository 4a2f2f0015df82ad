#include "source/RecordJson.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "data/Catalogue.h"
#include "data/FieldLayout.h"
#include "source/JsonInput.h"
#include "source/RecordLayoutGaps.h"

namespace quorvel {

namespace {

struct KindName {
    EntryKind kind;
    const char* name;
};
constexpr KindName kKinds[] = {{EntryKind::Constellation, "constellation"},
                               {EntryKind::Spectrum, "spectrum"},
                               {EntryKind::Measure, "measure"}};

std::string RejectionText(Rejection rejection, std::uint8_t dvbType) {
    switch (rejection) {
        case Rejection::NotPresent:
            return "presence bit not set";
        case Rejection::EmptyName:
            return "empty name";
        case Rejection::NameTooLong:
            return "name without a NUL in its first 30 bytes";
        case Rejection::OtherDvbType:
            return "dvbType " + std::to_string(dvbType) +
                   " is no DVB type (0 cable, 1 terrestrial, 2 satellite)";
    }
    return "refused";
}

bool AllZero(std::span<const std::uint8_t> bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t byte) { return byte == 0; });
}

Json ReservedRuns(std::span<const std::uint8_t> bytes, const std::vector<layout::ByteRange>& gaps) {
    Json runs = Json::array();
    for (const layout::ByteRange& gap : gaps) {
        const auto run = bytes.subspan(gap.offset, gap.size);
        if (!AllZero(run)) runs.push_back({{"offset", gap.offset}, {"bytes", EncodeBytes(run)}});
    }
    return runs;
}

Json DumpSlot(const SourceRecord& record, const SourceRecord& catalogued, EntryKind kind,
              std::size_t slot) {
    const std::span<const std::uint8_t> entry = record.Slot(kind, slot);
    const bool present = IsSlotPresent(record, kind, slot);
    const std::uint8_t dvbType = entry[0];
    // A byte that names no DVB type is refused whichever type the window shows.
    const DvbType checkedAs = dvbType <= 2 ? static_cast<DvbType>(dvbType) : DvbType::Cable;
    const std::optional<Rejection> rejection = CheckSlot(catalogued, kind, slot, checkedAs);

    Json json = {{"slot", slot}, {"present", present}, {"accepted", !rejection.has_value()}};
    if (rejection) {
        json["rejection"] = present && *rejection == Rejection::NotPresent
                                ? "no magic: the catalogue clears every presence bit"
                                : RejectionText(*rejection, dvbType);
    }
    if (!AllZero(entry)) {
        Json fields = Json::object();
        for (const layout::Field& field : layout::FieldsOf(kind)) {
            fields[std::string(field.name)] = EncodeField(entry, field);
        }
        json["fields"] = std::move(fields);
    }
    Json reserved = ReservedRuns(entry, layout::UncoveredRanges(kind));
    if (!reserved.empty()) json["reservedBytes"] = std::move(reserved);
    return json;
}

// A problem found while building, with where it is.
struct Refusal {
    std::string message;
};

void Require(bool condition, const std::string& message) {
    if (!condition) throw Refusal{message};
}

void CheckMembers(const Json& object, std::initializer_list<const char*> allowed,
                  const std::string& where) {
    Require(object.is_object(), where + ": expected an object");
    // Not a structured binding: clang 14, the fuzz build's compiler, cannot capture one.
    for (const auto& member : object.items()) {
        const std::string& key = member.key();
        const bool known = std::any_of(allowed.begin(), allowed.end(),
                                       [&key](const char* name) { return key == name; });
        Require(known, where + ": unknown member \"" + key + "\"");
    }
}

std::size_t IntegerMember(const Json& value, std::size_t limit, const std::string& where) {
    Require(value.is_number_integer() && value.get<std::int64_t>() >= 0 &&
                value.get<std::uint64_t>() < limit,
            where + ": " + JsonExcerpt(value) + " is not an integer from 0 to " +
                std::to_string(limit - 1));
    return value.get<std::size_t>();
}

void BuildReserved(const Json& runs, std::span<std::uint8_t> bytes,
                   const std::vector<layout::ByteRange>& gaps, const std::string& where) {
    Require(runs.is_array(), where + ": expected a list");
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const std::string at = where + "[" + std::to_string(i) + "]";
        CheckMembers(runs[i], {"offset", "bytes"}, at);
        Require(runs[i].contains("offset") && runs[i].contains("bytes"),
                at + ": needs offset and bytes");
        const std::size_t offset = IntegerMember(runs[i]["offset"], bytes.size(), at + ".offset");
        const Json& values = runs[i]["bytes"];
        Require(values.is_array(), at + ".bytes: expected a list of bytes");
        Require(InsideGaps(gaps, offset, values.size()),
                at + ": the " + std::to_string(values.size()) + " bytes from offset " +
                    std::to_string(offset) + " are not all reserved bytes");
        const std::string problem = DecodeBytes(values, bytes.subspan(offset, values.size()));
        Require(problem.empty(), at + ".bytes: " + problem);
    }
}

void SetPresent(SourceRecord& record, EntryKind kind, std::size_t slot) {
    record.bytes[record::LayoutOf(kind).maskOffset + slot / 8] |=
        static_cast<std::uint8_t>(1u << (slot % 8));
}

void BuildKind(const Json& slots, EntryKind kind, const char* kindName, SourceRecord& record) {
    const record::KindLayout layout = record::LayoutOf(kind);
    Require(slots.is_array(), std::string(kindName) + ": expected a list of slots");
    Require(slots.size() <= layout.slots,
            std::string(kindName) + ": more than " + std::to_string(layout.slots) + " slots");
    std::set<std::size_t> seen;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        const Json& json = slots[i];
        std::string where = std::string(kindName) + "[" + std::to_string(i) + "]";
        CheckMembers(json, {"slot", "present", "accepted", "rejection", "fields", "reservedBytes"},
                     where);
        const std::size_t slot =
            json.contains("slot") ? IntegerMember(json["slot"], layout.slots, where + ".slot") : i;
        Require(seen.insert(slot).second, where + ": slot " + std::to_string(slot) + " twice");
        where = std::string(kindName) + " slot " + std::to_string(slot);

        if (json.contains("present")) {
            Require(json["present"].is_boolean(), where + ".present: expected true or false");
            if (json["present"].get<bool>()) SetPresent(record, kind, slot);
        }
        const std::span<std::uint8_t> entry(
            record.bytes.data() + layout.entriesOffset + slot * layout.entrySize, layout.entrySize);
        if (json.contains("fields")) {
            const Json& fields = json["fields"];
            Require(fields.is_object(), where + ".fields: expected an object");
            for (const auto& [name, value] : fields.items()) {
                const layout::Field* field = layout::FindField(kind, name);
                Require(field != nullptr, where + ": unknown field \"" + name + "\"");
                const std::string problem = DecodeField(value, entry, *field);
                Require(problem.empty(), where + ", field " + name + ": " + problem);
            }
        }
        if (json.contains("reservedBytes")) {
            BuildReserved(json["reservedBytes"], entry, layout::UncoveredRanges(kind),
                          where + ".reservedBytes");
        }
    }
}

std::uint32_t ParseMagic(const Json& value) {
    const std::string problem =
        "magic: expected \"0x\" and 8 hex digits, not " + JsonExcerpt(value);
    Require(value.is_string(), problem);
    const std::string text = value.get<std::string>();
    Require(text.size() == 10 && text.rfind("0x", 0) == 0 &&
                text.find_first_not_of("0123456789abcdefABCDEF", 2) == std::string::npos,
            problem);
    return static_cast<std::uint32_t>(std::stoul(text.substr(2), nullptr, 16));
}

void FormatInto(const Json& value, int indent, std::string& out) {
    const bool container = value.is_object() || value.is_array();
    if (!container || value.empty()) {
        out += value.dump();
        return;
    }
    const bool flat = value.is_array() &&
                      std::none_of(value.begin(), value.end(),
                                   [](const Json& e) { return e.is_object() || e.is_array(); });
    if (flat) {
        out += '[';
        for (std::size_t i = 0; i < value.size(); ++i) {
            if (i > 0) out += ", ";
            out += value[i].dump();
        }
        out += ']';
        return;
    }
    const std::string inner(static_cast<std::size_t>(indent + 2), ' ');
    out += value.is_object() ? "{\n" : "[\n";
    bool first = true;
    for (auto it = value.begin(); it != value.end(); ++it) {
        if (!first) out += ",\n";
        first = false;
        out += inner;
        if (value.is_object()) out += Json(it.key()).dump() + ": ";
        FormatInto(*it, indent + 2, out);
    }
    out +=
        '\n' + std::string(static_cast<std::size_t>(indent), ' ') + (value.is_object() ? '}' : ']');
}

}  // namespace

Json DumpRecord(const SourceRecord& record) {
    SourceRecord catalogued = record;
    EnsureMagic(catalogued);
    char magic[16];
    std::snprintf(magic, sizeof magic, "0x%08X",
                  static_cast<unsigned>(bytes::U32<0>(record.View())));
    Json document = {{"magic", magic}};
    for (const KindName& kind : kKinds) {
        Json slots = Json::array();
        for (std::size_t slot = 0; slot < record::LayoutOf(kind.kind).slots; ++slot) {
            slots.push_back(DumpSlot(record, catalogued, kind.kind, slot));
        }
        document[kind.name] = std::move(slots);
    }
    document["reservedBytes"] = ReservedRuns(record.bytes, RecordGaps());
    return document;
}

BuiltRecord BuildRecord(const Json& document) {
    BuiltRecord built;
    auto record = std::make_unique<SourceRecord>();
    try {
        CheckMembers(document, {"magic", "constellation", "spectrum", "measure", "reservedBytes"},
                     "document");
        if (document.contains("magic")) {
            const std::uint32_t magic = ParseMagic(document["magic"]);
            for (std::size_t i = 0; i < 4; ++i) {
                record->bytes[record::kMagicOffset + i] =
                    static_cast<std::uint8_t>(magic >> (8 * i));
            }
        }
        for (const KindName& kind : kKinds) {
            if (document.contains(kind.name)) {
                BuildKind(document[kind.name], kind.kind, kind.name, *record);
            }
        }
        if (document.contains("reservedBytes")) {
            BuildReserved(document["reservedBytes"], record->bytes, RecordGaps(), "reservedBytes");
        }
    } catch (const Refusal& refusal) {
        built.error = refusal.message;
        return built;
    }
    built.record = std::move(record);
    return built;
}

std::string FormatJson(const Json& document) {
    std::string out;
    FormatInto(document, 0, out);
    out += '\n';
    return out;
}

}  // namespace quorvel
