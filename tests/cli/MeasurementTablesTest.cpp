// The tables hold exactly what the screens print: every value with its unit is a text the
// screen draws, every sample is one the cursor reads out, every point one the diagram draws.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "CliProcess.h"
#include "cli/MeasurementTables.h"
#include "cli/ScreenRender.h"
#include "data/EntryWriter.h"
#include "data/SourceFile.h"
#include "data/TextEncoding.h"
#include "figures/ScreenNames.h"
#include "render/Scene.h"
#include "render/ScreenRecording.h"
#include "render/ScreenRequest.h"
#include "render/SpectrumTrace.h"

namespace quorvel::test {
namespace {

struct Pass {
    std::vector<std::string> texts;
    DisplayList list;
    std::optional<std::string> tip;
};

Pass Record(const Catalogue& catalogue, const ScreenRequest& request) {
    ScreenState state = StateFor(catalogue, request);
    state.showMore = request.more;
    Pass pass;
    pass.list = RecordScreen(state, catalogue);
    pass.tip = pass.list.cursorTipText;
    for (const std::u16string& text : Texts(pass.list)) pass.texts.push_back(Utf8FromUtf16(text));
    return pass;
}

void ExpectDrawn(const Pass& pass, const std::string& text, const std::string& where) {
    EXPECT_NE(std::find(pass.texts.begin(), pass.texts.end(), text), pass.texts.end())
        << where << ": \"" << text << "\" is not on the screen";
}

class TablesOfTheDemoFile : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(LoadSourceFile(kDemoFile, m_record), LoadOutcome::Loaded); }

    cli::MeasurementTables Tables() const {
        return cli::BuildMeasurementTables(m_record, kDvbTypes);
    }

    SourceRecord m_record;
};

TEST_F(TablesOfTheDemoFile, MeasureValuesWithTheirUnitsAreTheScreensTexts) {
    const CsvTable measure = Tables().measure;
    std::map<std::string, std::size_t> column;
    for (std::size_t c = 0; c < measure.columns.size(); ++c) column[measure.columns[c]] = c;
    std::size_t rowsSeen = 0;
    for (DvbType dvbType : kDvbTypes) {
        const auto catalogue = CatalogueFor(m_record, dvbType);
        for (std::size_t k = 0; k < catalogue->measure.Count(); ++k, ++rowsSeen) {
            ASSERT_LT(rowsSeen, measure.rows.size());
            const auto& row = measure.rows[rowsSeen];
            const std::string where =
                std::string(DvbDisplayName(dvbType)) + " measure " + std::to_string(k);
            EXPECT_EQ(row[column["DVB type"]], DvbDisplayName(dvbType));
            EXPECT_EQ(row[column["position"]], std::to_string(k));
            EXPECT_EQ(row[column["name"]], catalogue->measure.names[k]) << where;
            const Pass pass = Record(*catalogue, {dvbType, Category::Measure, k});
            for (const std::string name :
                 {"target", "service", "level (dBm)", "C/N (dB)", "FEC", "BER", "PER",
                  "strength (%)", "quality (%)", "lock", "bandwidth (MHz)"}) {
                // The unit a column name carries is the one the screen prints after the number.
                std::string unit = name.substr(std::min(name.find(" ("), name.size()));
                std::erase_if(unit, [](char c) { return c == '(' || c == ')'; });
                const std::string& cell = row[column[name]];
                if (!cell.empty()) ExpectDrawn(pass, cell + unit, where + " " + name);
            }
            const std::string& frequency = row[column["frequency (MHz)"]];
            const std::string& symbolRate = row[column["symbol rate (kS/s)"]];
            if (dvbType == DvbType::Satellite) {
                ExpectDrawn(pass, frequency + "/" + row[column["polarisation"]] + "/" + symbolRate,
                            where);
                EXPECT_FALSE(row[column["service"]].empty()) << where;
            } else {
                ExpectDrawn(pass, frequency + " MHz", where);
                EXPECT_EQ(row[column["PER"]].empty(), row[column["BER"]].empty()) << where;
                if (dvbType == DvbType::Cable) ExpectDrawn(pass, symbolRate, where);
                EXPECT_EQ(row[column["bandwidth (MHz)"]].empty(), dvbType == DvbType::Cable);
            }
        }
    }
    EXPECT_EQ(rowsSeen, measure.rows.size());
}

TEST_F(TablesOfTheDemoFile, SpectrumRowsAreThePlottedSamplesAsTheCursorReadsThem) {
    const cli::MeasurementTables tables = Tables();
    std::size_t tableIndex = 0;
    for (DvbType dvbType : kDvbTypes) {
        const auto catalogue = CatalogueFor(m_record, dvbType);
        for (std::size_t k = 0; k < catalogue->spectrum.Count(); ++k, ++tableIndex) {
            ASSERT_LT(tableIndex, tables.spectra.size());
            const cli::NamedTable& named = tables.spectra[tableIndex];
            EXPECT_EQ(named.fileName, "spectrum-" + std::string(DvbLetter(dvbType)) + "-0" +
                                          std::to_string(k) + ".csv");
            ScreenRequest request{dvbType, Category::Spectrum, k};
            const auto trace = OpsOf<PolygonShape>(Record(*catalogue, request).list);
            ASSERT_EQ(trace.size(), 1u);
            // The outline has a vertex per sample and two to close it along the bottom line.
            ASSERT_EQ(named.table.rows.size() + 2, trace[0].first.points.size()) << named.fileName;
            const int width = spectrum::ColumnWidth(static_cast<int>(named.table.rows.size()));
            for (std::size_t i = 0; i < named.table.rows.size(); ++i) {
                const auto& row = named.table.rows[i];
                EXPECT_EQ(row[0], catalogue->spectrum.names[k]) << named.fileName << " row " << i;
                EXPECT_EQ(row[1], std::to_string(i));
                request.cursorX = spectrum::kPlotLeft + static_cast<int>(i) * width;
                EXPECT_EQ(Record(*catalogue, request).tip,
                          "[ " + row[2] + "MHz : " + row[3] + "dBuV ]")
                    << named.fileName << " sample " << i;
            }
        }
    }
    EXPECT_EQ(tableIndex, tables.spectra.size());
}

TEST_F(TablesOfTheDemoFile, ConstellationValuesAndPointsAreTheDrawnOnes) {
    const cli::MeasurementTables tables = Tables();
    std::size_t tableIndex = 0;
    for (DvbType dvbType : kDvbTypes) {
        const auto catalogue = CatalogueFor(m_record, dvbType);
        for (std::size_t k = 0; k < catalogue->constellation.Count(); ++k, ++tableIndex) {
            ASSERT_LT(tableIndex, tables.constellations.size());
            const CsvTable& table = tables.constellations[tableIndex].table;
            ASSERT_FALSE(table.rows.empty());
            const auto& first = table.rows.front();
            const Pass more =
                Record(*catalogue, {dvbType, Category::Constellation, k, Language::English, true});
            EXPECT_EQ(first[0], catalogue->constellation.names[k]);
            const std::string units[] = {"", "", "", " dB", "", " %", " %"};
            for (std::size_t c = 1; c <= 7; ++c) {
                if (c != 5) ExpectDrawn(more, first[c] + units[c - 1], table.columns[c]);
            }
            // The doubled minus the More view prints is the level's own sign.
            ASSERT_EQ(table.columns[5], "level (dBm)");
            ExpectDrawn(more, "-" + first[5] + " dBm", "level (dBm)");
            std::vector<IntRect> points;
            for (const auto& [fill, colour] :
                 OpsOf<FillShape>(Record(*catalogue, {dvbType, Category::Constellation, k}).list)) {
                if (colour == 0xFFC8C8C8) points.push_back(fill.rect);
            }
            ASSERT_EQ(points.size(), table.rows.size());
            for (std::size_t p = 0; p < points.size(); ++p) {
                const auto& row = table.rows[p];
                EXPECT_EQ(row[9], std::to_string(points[p].x));
                EXPECT_EQ(row[10], std::to_string(points[p].y - 120)) << "point " << row[8];
                EXPECT_EQ(std::vector(row.begin(), row.begin() + 8),
                          std::vector(first.begin(), first.begin() + 8))
                    << "every point's row repeats the entry's values";
            }
        }
    }
    EXPECT_EQ(tableIndex, tables.constellations.size());
}

// A level the demo file lacks: zero, one that is negative before the doubled minus, and the
// ends of the field.
TEST(ConstellationLevel, IsTheStoredNumberNegated) {
    const std::pair<std::int64_t, const char*> cases[] = {
        {48, "-48"}, {0, "0"}, {-5, "5"}, {INT32_MAX, "-2147483647"}, {INT32_MIN, "2147483648"}};
    SourceRecord record;
    StampMagic(record.bytes);
    for (std::size_t slot = 0; slot < std::size(cases); ++slot) {
        PlaceEntry(record.bytes, EntryKind::Constellation, slot,
                   static_cast<std::uint8_t>(DvbType::Satellite), "E")
            .Set("levelDbm", cases[slot].first);
    }
    const auto tables = cli::BuildMeasurementTables(record, std::array{DvbType::Satellite});
    ASSERT_EQ(tables.constellations.size(), std::size(cases));
    for (std::size_t slot = 0; slot < std::size(cases); ++slot) {
        EXPECT_EQ(tables.constellations[slot].table.rows.front()[5], cases[slot].second)
            << "stored " << cases[slot].first;
    }
}

}  // namespace
}  // namespace quorvel::test
