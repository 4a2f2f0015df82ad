// dump and build: lossless on any record, texts in the most readable exact form, and each
// refusal naming the member that is wrong.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>
#include <iterator>
#include <random>

#include "CliProcess.h"
#include "cli/RecordJson.h"
#include "data/FieldLayout.h"
#include "support/RecordBytes.h"

namespace quorvel::test {
namespace {

using cli::Json;

std::unique_ptr<SourceRecord> RandomRecord(unsigned seed) {
    std::mt19937 generator(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    auto record = std::make_unique<SourceRecord>();
    for (std::uint8_t& value : record->bytes) value = static_cast<std::uint8_t>(byte(generator));
    return record;
}

// Through text, as a user would hand it over.
std::unique_ptr<SourceRecord> RoundTrip(const SourceRecord& record) {
    const Json reread = Json::parse(cli::FormatJson(cli::DumpRecord(record)));
    cli::BuiltRecord built = cli::BuildRecord(reread);
    EXPECT_EQ(built.error, "");
    return std::move(built.record);
}

std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// The demo file, and a random record without the magic, which dump must not let the catalogue
// clear.
TEST(RecordJson, SourceFilesRoundTripThroughTheExecutable) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const auto random = RandomRecord(99);
    const std::string randomFile = folder.filePath("random.dat").toStdString();
    std::ofstream(randomFile, std::ios::binary)
        .write(reinterpret_cast<const char*>(random->bytes.data()), record::kSize);

    for (const std::string& source : {kDemoFile, randomFile}) {
        SCOPED_TRACE(source);
        const CliRun dump = RunCliTool({"dump", QString::fromStdString(source)});
        ASSERT_EQ(dump.status, 0) << dump.err;
        const QString json = folder.filePath("source.json");
        const QString rebuilt = folder.filePath("rebuilt.dat");
        std::ofstream(json.toStdString(), std::ios::binary) << dump.out;
        const CliRun build = RunCliTool({"build", json, "-o", rebuilt});
        ASSERT_EQ(build.status, 0) << build.err;
        const std::string original = ReadBytes(source);
        EXPECT_EQ(original.size(), record::kSize);
        EXPECT_TRUE(ReadBytes(rebuilt.toStdString()) == original);
    }
}

TEST(RecordJson, RandomRecordsRoundTripByteForByte) {
    for (unsigned seed : {1u, 2u, 3u, 20240601u}) {
        const auto record = RandomRecord(seed);
        const auto rebuilt = RoundTrip(*record);
        ASSERT_TRUE(rebuilt);
        EXPECT_TRUE(rebuilt->bytes == record->bytes) << "seed " << seed;
    }
}

TEST(RecordJson, RandomRecordWithMagicAndEveryBitSetRoundTrips) {
    auto record = RandomRecord(7);
    // Valid-looking entries take the string paths for names and the accepted verdicts.
    StampMagic(record->bytes);
    for (EntryKind kind : {EntryKind::Constellation, EntryKind::Spectrum, EntryKind::Measure}) {
        const record::KindLayout layout = record::LayoutOf(kind);
        for (std::size_t i = 0; i < layout.slots / 8; ++i)
            record->bytes[layout.maskOffset + i] = 0xFF;
        for (std::size_t slot = 0; slot < layout.slots; ++slot) {
            const auto entry = SlotBytes(record->bytes, kind, slot);
            entry[0] = static_cast<std::uint8_t>(slot % 4);
            entry[1 + slot % 29 + 1] = 0;  // names of 1 to 29 characters, random bytes after
        }
    }
    const auto rebuilt = RoundTrip(*record);
    ASSERT_TRUE(rebuilt);
    EXPECT_TRUE(rebuilt->bytes == record->bytes);
}

struct TextCase {
    const char* label;
    EntryKind kind;
    const char* field;
    std::vector<std::uint8_t> bytes;  // start of the field; the rest stays zero
    Json expected;
};

class TextForm : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextForm, IsAStringOnlyWhenTheStringGivesTheBytesBack) {
    const TextCase& c = GetParam();
    SourceRecord record;
    const layout::Field* field = layout::FindField(c.kind, c.field);
    ASSERT_NE(field, nullptr);
    const auto entry = SlotBytes(record.bytes, c.kind, 3);
    std::copy(c.bytes.begin(), c.bytes.end(), entry.begin() + field->offset);

    const Json dumped = cli::DumpRecord(record);
    const char* kindName = c.kind == EntryKind::Measure ? "measure" : "constellation";
    const Json& value = dumped[kindName][3]["fields"][c.field];
    if (c.expected.is_string()) {
        EXPECT_EQ(value, c.expected) << c.label;
    } else {
        EXPECT_TRUE(value.is_array()) << c.label << ": " << value.dump();
        EXPECT_EQ(value.size(), field->size / layout::ElementSize(field->type)) << c.label;
    }
    const auto rebuilt = RoundTrip(record);
    ASSERT_TRUE(rebuilt);
    EXPECT_TRUE(rebuilt->bytes == record.bytes) << c.label;
}

std::vector<std::uint8_t> Ascii(std::string_view text) {
    return {text.begin(), text.end()};
}

INSTANTIATE_TEST_SUITE_P(
    Fields, TextForm,
    ::testing::Values(
        TextCase{"plain name", EntryKind::Measure, "name", Ascii("Astra 19.2E"), "Astra 19.2E"},
        TextCase{"Windows-1252 letters and the euro sign",
                 EntryKind::Measure,
                 "targetName",
                 {'C', 'a', 'f', 0xE9, ' ', 0x80, ' ', 0x9C},
                 "Caf\u00e9 \u20ac \u0153"},
        TextCase{"30-byte name without its NUL", EntryKind::Measure, "name",
                 Ascii("abcdefghijklmnopqrstuvwxyz0123"), "abcdefghijklmnopqrstuvwxyz0123"},
        TextCase{
            "bytes after the NUL", EntryKind::Measure, "name", {'A', 'B', 0, 'C'}, Json::array()},
        TextCase{"UTF-16 display name",
                 EntryKind::Constellation,
                 "displayName",
                 {0xC9, 0x00, 't', 0x00, 0xE9, 0x00},
                 "\u00c9t\u00e9"},
        TextCase{"unpaired surrogate",
                 EntryKind::Constellation,
                 "displayName",
                 {'A', 0x00, 0x00, 0xD8, 'B', 0x00},
                 Json::array()}),
    [](const ::testing::TestParamInfo<TextCase>& testInfo) {
        return "Case" + std::to_string(testInfo.index);
    });

TEST(RecordJson, DumpGivesTheCatalogueVerdictForTheEntrysOwnDvbType) {
    SourceRecord record;
    StampMagic(record.bytes);
    record.bytes[record::kMeasureMaskOffset] = 0b0000'1111;  // slots 0 to 3 present, slot 4 not
    const auto set = [&](std::size_t slot, std::uint8_t dvbType, std::string_view name) {
        PutHeader(SlotBytes(record.bytes, EntryKind::Measure, slot), dvbType, name);
    };
    set(0, 1, "terrestrial one");
    set(1, 7, "odd family");
    set(2, 2, "");
    set(3, 0, std::string(30, 'x'));
    set(4, 2, "absent");

    const Json measure = cli::DumpRecord(record)["measure"];
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

    record.bytes[0] = 0xAA;  // the magic in the wrong byte order: the catalogue clears the masks
    const Json foreign = cli::DumpRecord(record);
    EXPECT_EQ(foreign["magic"], "0xAABBCCAA");
    EXPECT_EQ(foreign["measure"][0]["present"], true);
    EXPECT_EQ(foreign["measure"][0]["rejection"],
              "no magic: the catalogue clears every presence bit");
}

TEST(RecordJson, BytesNoFieldCoversAreListedWhereNotZero) {
    SourceRecord record;
    record.bytes[132'497 + 2] = 0x5A;  // record gap after the spectrum mask
    SlotBytes(record.bytes, EntryKind::Measure, 9)[120] = 0x11;  // inside the measure's 118..127
    SlotBytes(record.bytes, EntryKind::Spectrum, 0)[31] = 0x22;  // after the spectrum name

    const Json dumped = cli::DumpRecord(record);
    EXPECT_EQ(dumped["reservedBytes"], Json::parse(R"([{"offset": 132497, "bytes": [0, 0, 90]}])"));
    EXPECT_EQ(dumped["measure"][9]["reservedBytes"],
              Json::parse(R"([{"offset": 118, "bytes": [0, 0, 17, 0, 0, 0, 0, 0, 0, 0]}])"));
    EXPECT_EQ(dumped["spectrum"][0]["reservedBytes"],
              Json::parse(R"([{"offset": 31, "bytes": [34]}])"));
    EXPECT_FALSE(dumped["measure"][8].contains("reservedBytes"));
}

TEST(RecordJson, BuildFillsOnlyWhatTheJsonNamesAndZeroesTheRest) {
    const cli::BuiltRecord built = cli::BuildRecord(Json::parse(R"({
        "magic": "0xAABBCCDD",
        "measure": [{"slot": 5, "present": true, "fields": {"quality": 80, "levelDbm": -65}}],
        "spectrum": [{"slot": 63, "present": true, "fields": {"levels": [-1, 127]}}]
    })"));
    ASSERT_TRUE(built.record) << built.error;
    SourceRecord expected;
    StampMagic(expected.bytes);
    expected.bytes[record::kMeasureMaskOffset] = 1 << 5;
    expected.bytes[record::kSpectrumMaskOffset + 7] = 0x80;
    const auto measure = SlotBytes(expected.bytes, EntryKind::Measure, 5);
    measure[75] = 80;
    measure[80] = 0xBF, measure[81] = 0xFF, measure[82] = 0xFF, measure[83] = 0xFF;
    const auto spectrum = SlotBytes(expected.bytes, EntryKind::Spectrum, 63);
    spectrum[50] = 0xFF, spectrum[51] = 0x7F;
    EXPECT_TRUE(built.record->bytes == expected.bytes);
}

struct BuildErrorCase {
    const char* json;
    const char* message;
};

class BuildRefuses : public ::testing::TestWithParam<BuildErrorCase> {};

TEST_P(BuildRefuses, NamingTheMember) {
    const cli::BuiltRecord built = cli::BuildRecord(Json::parse(GetParam().json));
    EXPECT_FALSE(built.record);
    EXPECT_NE(built.error.find(GetParam().message), std::string::npos) << built.error;
}

INSTANTIATE_TEST_SUITE_P(
    Members, BuildRefuses,
    ::testing::Values(
        BuildErrorCase{R"({"measure": [{"fields": {"foo": 1}}]})",
                       "measure slot 0: unknown field \"foo\""},
        BuildErrorCase{R"({"measure": [{"slot": 4, "fields": {"quality": 256}}]})",
                       "measure slot 4, field quality: 256 is outside 0 to 255"},
        BuildErrorCase{R"({"measure": [{"fields": {"frequency": -1}}]})",
                       "field frequency: -1 is outside 0 to 4294967295"},
        BuildErrorCase{R"({"measure": [{"fields": {"levelDbm": 2147483648}}]})",
                       "field levelDbm: 2147483648 is outside -2147483648 to 2147483647"},
        BuildErrorCase{R"({"measure": [{"fields": {"orbitalPosition": 65536}}]})",
                       "field orbitalPosition: 65536 is outside 0 to 65535"},
        BuildErrorCase{R"({"constellation": [{"fields": {"pointX": [0, 40000]}}]})",
                       "field pointX: element 1: 40000 is outside -32768 to 32767"},
        BuildErrorCase{R"({"spectrum": [{"fields": {"levels": [1.5]}}]})",
                       "field levels: element 0: 1.5 is not an integer"},
        BuildErrorCase{R"({"spectrum": [{"fields": {"levels": 3}}]})",
                       "field levels: expected a list"},
        BuildErrorCase{R"({"measure": [{"fields": {"name": "0123456789012345678901234567890"}}]})",
                       "field name: \"0123456789012345678901234567890\" is longer"},
        BuildErrorCase{R"({"measure": [{"fields": {"name": "\u65e5"}}]})",
                       "field name: \"\u65e5\" has characters outside Windows-1252"},
        BuildErrorCase{R"({"measure": [{"fields": {"name": true}}]})",
                       "field name: expected a string or a list"},
        BuildErrorCase{R"({"magic": "AABBCCDD"})", "magic: expected"},
        BuildErrorCase{R"({"extra": 1})", "unknown member \"extra\""},
        BuildErrorCase{R"({"measure": [{"slot": 64}]})", "measure[0].slot"},
        BuildErrorCase{R"({"measure": [{"slot": 1}, {"slot": 1}]})", "slot 1 twice"},
        BuildErrorCase{R"({"measure": [{"present": 1}]})", "measure slot 0.present"},
        BuildErrorCase{R"({"measure": [{"reservedBytes": [{"offset": 76, "bytes": [1, 2]}]}]})",
                       "not all reserved bytes"},
        BuildErrorCase{R"({"reservedBytes": [{"offset": 156834, "bytes": [1, 2, 3]}]})",
                       "reservedBytes[0]"},
        BuildErrorCase{R"({"reservedBytes": [{"offset": 132488, "bytes": [256]}]})",
                       "byte 0: 256 is outside 0 to 255"}),
    [](const ::testing::TestParamInfo<BuildErrorCase>& testInfo) {
        return "Case" + std::to_string(testInfo.index);
    });

}  // namespace
}  // namespace quorvel::test
