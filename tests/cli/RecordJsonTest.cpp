// dump and build: lossless on any record, texts in the most readable exact form, and each
// refusal naming the member that is wrong.
#include <gtest/gtest.h>

#include <random>

#include "CliProcess.h"
#include "data/EntryWriter.h"
#include "data/FieldLayout.h"
#include "source/RecordJson.h"
#include "support/Files.h"

namespace quorvel::test {
namespace {

std::unique_ptr<SourceRecord> RandomRecord(unsigned seed) {
    std::mt19937 generator(seed);
    auto record = std::make_unique<SourceRecord>();
    for (std::uint8_t& value : record->bytes) value = static_cast<std::uint8_t>(generator() >> 24);
    return record;
}

// Through text, as a user would hand it over.
void ExpectRoundTrip(const SourceRecord& record) {
    const BuiltRecord built =
        BuildRecord(Json::parse(FormatJson(DumpRecord(record))));
    ASSERT_TRUE(built.record) << built.error;
    EXPECT_TRUE(built.record->bytes == record.bytes);
}

// The demo file, and a random record without the magic: dump keeps what the catalogue clears.
TEST(RecordJson, SourceFilesRoundTripThroughTheExecutable) {
    TemporaryFolder folder;
    const std::string random = WriteFile(folder / "random.dat", RandomRecord(99)->bytes);
    for (const std::string& source : {kDemoFile, random}) {
        SCOPED_TRACE(source);
        const CliRun dump = RunCliTool({"dump", QtPath(source)});
        ASSERT_EQ(dump.status, 0) << dump.err;
        WriteFile(folder / "source.json", dump.out);
        const CliRun build = RunCliTool(
            {"build", QtPath(folder / "source.json"), "-o", QtPath(folder / "rebuilt.dat")});
        ASSERT_EQ(build.status, 0) << build.err;
        EXPECT_EQ(ReadFile(source).size(), record::kSize);
        EXPECT_TRUE(ReadFile(folder / "rebuilt.dat") == ReadFile(source));
    }
}

TEST(RecordJson, RandomRecordsRoundTripByteForByteAlsoWithValidHeaders) {
    for (unsigned seed : {1u, 2u, 20240601u}) ExpectRoundTrip(*RandomRecord(seed));
    // Valid-looking entries take the string paths for names and the accepted verdicts.
    auto record = RandomRecord(7);
    StampMagic(record->bytes);
    for (EntryKind kind : {EntryKind::Constellation, EntryKind::Spectrum, EntryKind::Measure}) {
        for (std::size_t slot = 0; slot < record::LayoutOf(kind).slots; ++slot) {
            MarkPresent(record->bytes, kind, slot);
            const auto entry = SlotBytes(record->bytes, kind, slot);
            EntryWriter(entry, kind).Set("dvbType", slot % 4);
            entry[layout::kName.offset + 1 + slot % 29] = 0;  // 1 to 29 characters, then noise
        }
    }
    ExpectRoundTrip(*record);
}

// Two spaces a level, and lists of plain values on one line, so a dump reads and diffs well.
TEST(RecordJson, DumpTextIndentsObjectsAndKeepsPlainListsOnOneLine) {
    EXPECT_EQ(FormatJson(Json::parse(R"({"a": [1, 2], "b": [{"c": {}}, []]})")),
              "{\n  \"a\": [1, 2],\n  \"b\": [\n    {\n      \"c\": {}\n    },\n    []\n  ]\n}\n");
}

TEST(RecordJson, TextIsAStringOnlyWhenTheStringGivesTheBytesBack) {
    using namespace std::literals;
    struct TextCase {
        EntryKind kind;
        const char* field;
        std::string_view bytes;  // start of the field; the rest stays zero
        Json expected;           // a string, or null for the list of code units
    };
    const TextCase cases[] = {
        {EntryKind::Measure, "targetName", "Caf\xE9 \x80 \x9C", "Caf\u00e9 \u20ac \u0153"},
        {EntryKind::Measure, "name", "abcdefghijklmnopqrstuvwxyz0123",
         "abcdefghijklmnopqrstuvwxyz0123"},
        {EntryKind::Measure, "name", "AB\0C"sv, nullptr},  // bytes after the NUL
        {EntryKind::Constellation, "displayName", "\xC9\0t\0\xE9\0"sv, "\u00c9t\u00e9"},
        {EntryKind::Constellation, "displayName", "A\0\0\330B\0"sv, nullptr},  // lone surrogate
        {EntryKind::Constellation, "displayName", "=\xD8\0\xDE"sv, "\U0001F600"},  // a pair
        // What readers would take for a byte order mark, in either byte order.
        {EntryKind::Constellation, "displayName", "\xFF\xFE" "A\0"sv, nullptr},
        {EntryKind::Constellation, "displayName", "\xFE\xFF" "A\0"sv, nullptr},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.expected.dump());
        auto record = std::make_unique<SourceRecord>();
        const layout::Field& field = *layout::FindField(c.kind, c.field);
        std::copy(c.bytes.begin(), c.bytes.end(),
                  SlotBytes(record->bytes, c.kind, 3).begin() + field.offset);
        const Json dumped = DumpRecord(*record);
        const Json& value = dumped[c.kind == EntryKind::Measure ? "measure" : "constellation"][3]
                                  ["fields"][c.field];
        if (c.expected.is_string()) {
            EXPECT_EQ(value, c.expected);
        } else {
            EXPECT_EQ(value.size(), layout::ElementCount(field)) << value.dump();
        }
        ExpectRoundTrip(*record);
    }
}

// Windows-1252 has no U+FEFF, so in front of a string it can only be a byte order mark.
TEST(RecordJson, BuildDropsAByteOrderMarkInFrontOfAn8BitText) {
    const BuiltRecord built =
        BuildRecord(Json::parse(R"({"measure": [{"fields": {"name": "\ufeffab"}}]})"));
    ASSERT_TRUE(built.record) << built.error;
    const auto name = SlotBytes(built.record->bytes, EntryKind::Measure, 0).subspan(
        layout::kName.offset, layout::kName.size);
    EXPECT_EQ(std::string(name.begin(), name.begin() + 3), std::string("ab\0", 3));
}

TEST(RecordJson, DumpGivesTheCatalogueVerdictForTheEntrysOwnDvbType) {
    auto record = std::make_unique<SourceRecord>();
    StampMagic(record->bytes);
    PlaceEntry(record->bytes, EntryKind::Measure, 0, 1, "terrestrial one");
    PlaceEntry(record->bytes, EntryKind::Measure, 1, 7, "odd family");
    PlaceEntry(record->bytes, EntryKind::Measure, 2, 2, "");
    PlaceEntry(record->bytes, EntryKind::Measure, 3, 0, std::string(30, 'x'));
    PlaceEntry(record->bytes, EntryKind::Measure, 4, 2, "absent", false);

    const Json measure = DumpRecord(*record)["measure"];
    EXPECT_EQ(measure[0]["accepted"], true);
    EXPECT_FALSE(measure[0].contains("rejection"));
    EXPECT_EQ(measure[1]["rejection"],
              "dvbType 7 is no DVB type (0 cable, 1 terrestrial, 2 satellite)");
    EXPECT_EQ(measure[2]["rejection"], "empty name");
    EXPECT_EQ(measure[3]["rejection"], "name without a NUL in its first 30 bytes");
    EXPECT_EQ(measure[4]["present"], false);
    EXPECT_EQ(measure[4]["rejection"], "presence bit not set");
    EXPECT_EQ(measure[4]["fields"]["name"], "absent");
    EXPECT_FALSE(measure[5].contains("fields")) << "an all-zero slot lists no fields";
    EXPECT_EQ(measure.size(), 64u);

    record->bytes[0] = 0xAA;  // the magic in the wrong byte order: the catalogue clears the masks
    const Json foreign = DumpRecord(*record);
    EXPECT_EQ(foreign["magic"], "0xAABBCCAA");
    EXPECT_EQ(foreign["measure"][0]["present"], true);
    EXPECT_EQ(foreign["measure"][0]["rejection"],
              "no magic: the catalogue clears every presence bit");
}

TEST(RecordJson, BytesNoFieldCoversAreListedWhereNotZero) {
    auto record = std::make_unique<SourceRecord>();
    record->bytes[132'497 + 2] = 0x5A;  // record gap after the spectrum mask
    const layout::ByteRange measureTail = layout::UncoveredRanges(EntryKind::Measure).back();
    SlotBytes(record->bytes, EntryKind::Measure, 9)[measureTail.offset + 2] = 0x11;
    SlotBytes(record->bytes, EntryKind::Spectrum,
              0)[layout::UncoveredRanges(EntryKind::Spectrum)[0].offset] = 0x22;

    const Json dumped = DumpRecord(*record);
    EXPECT_EQ(dumped["reservedBytes"], Json::parse(R"([{"offset": 132497, "bytes": [0, 0, 90]}])"));
    EXPECT_EQ(dumped["measure"][9]["reservedBytes"],
              Json::parse(R"([{"offset": 118, "bytes": [0, 0, 17, 0, 0, 0, 0, 0, 0, 0]}])"));
    EXPECT_EQ(dumped["spectrum"][0]["reservedBytes"],
              Json::parse(R"([{"offset": 31, "bytes": [34]}])"));
    EXPECT_FALSE(dumped["measure"][8].contains("reservedBytes"));
}

TEST(RecordJson, BuildFillsOnlyWhatTheJsonNamesAndZeroesTheRest) {
    const BuiltRecord built = BuildRecord(Json::parse(R"({
        "magic": "0xAABBCCDD",
        "measure": [{"slot": 5, "present": true, "fields": {"quality": 80, "levelDbm": -65}}],
        "spectrum": [{"slot": 63, "present": true, "fields": {"levels": [-1, 127]}}]
    })"));
    ASSERT_TRUE(built.record) << built.error;
    auto expected = std::make_unique<SourceRecord>();
    StampMagic(expected->bytes);
    MarkPresent(expected->bytes, EntryKind::Measure, 5);
    MarkPresent(expected->bytes, EntryKind::Spectrum, 63);
    EntryWriter(SlotBytes(expected->bytes, EntryKind::Measure, 5), EntryKind::Measure)
        .Set("quality", 80)
        .Set("levelDbm", -65);
    EntryWriter(SlotBytes(expected->bytes, EntryKind::Spectrum, 63), EntryKind::Spectrum)
        .Set("levels", -1, 0)
        .Set("levels", 127, 1);
    EXPECT_TRUE(built.record->bytes == expected->bytes);
}

TEST(RecordJson, BuildRefusesNamingTheMember) {
    const std::pair<const char*, const char*> cases[] = {
        {R"({"measure": [{"fields": {"foo": 1}}]})", "measure slot 0: unknown field \"foo\""},
        {R"({"measure": [{"slot": 4, "fields": {"quality": 256}}]})",
         "measure slot 4, field quality: 256 is outside 0 to 255"},
        {R"({"measure": [{"fields": {"frequency": -1}}]})",
         "field frequency: -1 is outside 0 to 4294967295"},
        {R"({"measure": [{"fields": {"levelDbm": 2147483648}}]})",
         "field levelDbm: 2147483648 is outside -2147483648 to 2147483647"},
        {R"({"constellation": [{"fields": {"pointX": [0, 40000]}}]})",
         "field pointX: element 1: 40000 is outside -32768 to 32767"},
        {R"({"spectrum": [{"fields": {"levels": [0, 128]}}]})",
         "field levels: element 1: 128 is outside -128 to 127"},
        {R"({"spectrum": [{"fields": {"levels": [1.5]}}]})",
         "field levels: element 0: 1.5 is not an integer"},
        {R"({"spectrum": [{"fields": {"levels": 3}}]})", "field levels: expected a list"},
        {R"({"measure": [{"fields": {"name": "0123456789012345678901234567890"}}]})",
         "field name: \"0123456789012345678901234567890\" is longer"},
        {R"({"measure": [{"fields": {"name": "\u65e5"}}]})",
         "field name: \"\u65e5\" has characters outside Windows-1252"},
        {R"({"measure": [{"fields": {"name": true}}]})", "field name: expected a string or a list"},
        {R"({"constellation": [{"fields": {"displayName": "\ufeffA"}}]})",
         "field displayName: \"\ufeffA\" is not valid text"},
        {R"({"magic": "AABBCCDD"})", "magic: expected"},
        {R"({"extra": 1})", "unknown member \"extra\""},
        {R"({"measure": [{"slot": 64}]})", "measure[0].slot"},
        {R"({"measure": [{"slot": 1}, {"slot": 1}]})", "slot 1 twice"},
        {R"({"measure": [{"present": 1}]})", "measure slot 0.present"},
        {R"({"measure": [{"reservedBytes": [{"offset": 76, "bytes": [1, 2]}]}]})",
         "not all reserved bytes"},
        {R"({"reservedBytes": [{"offset": 156834, "bytes": [1, 2, 3]}]})", "reservedBytes[0]"},
        {R"({"reservedBytes": [{"offset": 132488, "bytes": [256]}]})",
         "byte 0: 256 is outside 0 to 255"},
    };
    for (const auto& [json, message] : cases) {
        const BuiltRecord built = BuildRecord(Json::parse(json));
        EXPECT_FALSE(built.record) << json;
        EXPECT_NE(built.error.find(message), std::string::npos) << built.error;
    }
}

}  // namespace
}  // namespace quorvel::test
