// export and report through the real executable: the files they write, odd names in CSV and
// PDF, a file with nothing listed, a failure part of the way, and a screen centred on PDF paper.
#include <gtest/gtest.h>

#include "CliProcess.h"
#include "cli/MeasurementTables.h"
#include "cli/SourceInput.h"
#include "data/SourceFile.h"
#include "figures/ScreenNames.h"
#include "render/ScreenRequest.h"

namespace quorvel::test {
namespace {

int PdfPages(const QString& pdf) {
    const std::string info = RunProgram("pdfinfo", {pdf}).out;
    const std::size_t at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
}

class ExportReport : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(LoadSourceFile(kDemoFile, m_demo), LoadOutcome::Loaded); }
    fs::path Path(const char* name) const { return m_folder / name; }
    QString QPath(const char* name) const { return QtPath(m_folder / name); }

    // A source file built by the tool from JSON in the form dump prints.
    QString BuildSource(const std::string& json) {
        WriteFile(Path("source.json"), json);
        const CliRun run = RunCliTool({"build", QPath("source.json"), "-o", QPath("source.dat")});
        EXPECT_EQ(run.status, 0) << run.err;
        return QPath("source.dat");
    }

    TemporaryFolder m_folder;
    SourceRecord m_demo;
};

TEST_F(ExportReport, ExportWritesEveryTableInTheAskedDialectAndTheJsonHoldsTheSameCells) {
    const SourceRecord& record = m_demo;
    const cli::MeasurementTables tables = cli::BuildMeasurementTables(record, kDvbTypes);
    const std::pair<QStringList, CsvDialect> dialects[] = {
        {{"--csv-separator", ";"}, {';', '.'}},
        {{"--decimal-comma"}, {';', ','}},
        {{"--decimal-comma", "--csv-separator", "tab"}, {'\t', ','}},
        {{}, {',', '.'}}};
    for (const auto& [options, dialect] : dialects) {
        const CliRun run =
            RunCliTool(QStringList{"export", QtPath(kDemoFile), "-o", QPath("tables")} + options);
        ASSERT_EQ(run.status, 0) << run.err;
        const std::string asked = options.join(' ').toStdString();
        std::vector<std::string> expected = {"export.json", "measure.csv"};
        for (const auto* list : {&tables.spectra, &tables.constellations}) {
            for (const cli::NamedTable& named : *list) {
                expected.push_back(named.fileName);
                EXPECT_EQ(ReadText(Path("tables") / named.fileName), CsvText(named.table, dialect))
                    << asked;
            }
        }
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(NamesIn(Path("tables")), expected);
        EXPECT_EQ(ReadText(Path("tables") / "measure.csv"), CsvText(tables.measure, dialect))
            << asked;
    }

    const auto json = ReadJson(Path("tables") / "export.json");
    EXPECT_EQ(json["sha256"], cli::Sha256OfRecord(record));
    const auto& rows = json["measure"]["rows"];
    ASSERT_EQ(rows.size(), tables.measure.rows.size());
    const auto& first = tables.measure.rows.front();
    EXPECT_EQ(rows[0]["name"], first[2]);
    EXPECT_DOUBLE_EQ(rows[0]["C/N (dB)"].get<double>(), std::stod(first[10]));
    EXPECT_EQ(rows[0]["BER"], first[12]);  // "2.3E-5" stays the text the screen shows
    EXPECT_EQ(json["spectrum"].size(), tables.spectra.size());
    EXPECT_EQ(json["constellation"].back()["rows"].size(),
              tables.constellations.back().table.rows.size());
}

TEST_F(ExportReport, FrenchReportHasATitleTablesAndAPagePerScreenWithEveryName) {
    const CliRun run =
        RunCliTool({"report", QtPath(kDemoFile), "-o", QPath("r.pdf"), "--lang", "fr"});
    ASSERT_EQ(run.status, 0) << run.err;
    const SourceRecord& record = m_demo;
    int pages = 1;
    std::vector<std::string> names;
    for (DvbType dvbType : kDvbTypes) {
        const auto catalogue = CatalogueFor(record, dvbType);
        // One table page per type with Measure entries, a page per screen, two per constellation.
        pages += (catalogue->measure.Count() > 0 ? 1 : 0) + catalogue->measure.Count() +
                 catalogue->spectrum.Count() + 2 * catalogue->constellation.Count();
        for (const auto* list : {&catalogue->measure.names, &catalogue->spectrum.names,
                                 &catalogue->constellation.names}) {
            names.insert(names.end(), list->begin(), list->end());
        }
    }
    ASSERT_EQ(PdfPages(QPath("r.pdf")), pages);
    const std::string text = RunProgram("pdftotext", {QPath("r.pdf"), "-"}).out;
    for (const char* heading :
         {"Rapport Quorvel", "Entrées par type DVB", "DVB-T : valeurs de mesure", "DVB-C : écrans",
          "écran Spectre, entrée 2", "Page 1 sur ", "SHA-256 des octets dessinés"}) {
        EXPECT_NE(text.find(heading), std::string::npos) << heading;
    }
    EXPECT_NE(text.find("Page " + std::to_string(pages) + " sur " + std::to_string(pages)),
              std::string::npos);
    EXPECT_NE(text.find(cli::Sha256OfRecord(record)), std::string::npos);
    for (const std::string& name : names) EXPECT_NE(text.find(name), std::string::npos) << name;
}

TEST_F(ExportReport, OddNamesAreQuotedInCsvAndShownInThePdf) {
    const QString source = BuildSource(R"({"magic": "0xAABBCCDD",
        "measure": [{"slot": 0, "present": true, "fields": {"dvbType": 2,
            "name": "Comma, \"quote\"\nbreak", "targetName": "Øst, \"A\""}}],
        "constellation": [{"slot": 0, "present": true, "fields": {"dvbType": 2,
            "name": "Œuvre", "displayName": "Σπέκτρο Жук"}}]})");
    ASSERT_EQ(RunCliTool({"export", source, "-o", QPath("tables"), "--dvb", "s"}).status, 0);
    const std::string measure = ReadText(Path("tables") / "measure.csv");
    EXPECT_NE(measure.find("\r\nDVB-S,0,\"Comma, \"\"quote\"\"\nbreak\",\"Øst, \"\"A\"\"\","),
              std::string::npos)
        << measure;
    EXPECT_NE(ReadText(Path("tables") / "constellation-s-00.csv").find("\r\nŒuvre,Σπέκτρο Жук,"),
              std::string::npos);

    ASSERT_EQ(RunCliTool({"report", source, "-o", QPath("r.pdf"), "--dvb", "s"}).status, 0);
    const std::string text = RunProgram("pdftotext", {QPath("r.pdf"), "-"}).out;
    for (const char* shown : {"Comma, \"quote\"", "Øst, \"A\"", "Σπέκτρο Жук", "“Œuvre”"}) {
        EXPECT_NE(text.find(shown), std::string::npos) << shown << "\n" << text;
    }
}

TEST_F(ExportReport, NothingListedGivesHeaderRowsAndAReportSayingSo) {
    const QString source = BuildSource("{}");
    ASSERT_EQ(RunCliTool({"export", source, "-o", QPath("tables")}).status, 0);
    EXPECT_EQ(NamesIn(Path("tables")), (std::vector<std::string>{"export.json", "measure.csv"}));
    const std::string measure = ReadText(Path("tables") / "measure.csv");
    EXPECT_EQ(measure.find("DVB type,position,name,"), 3u) << "after the byte order mark";
    EXPECT_EQ(measure.find("\r\n"), measure.size() - 2) << "the header row and nothing else";

    ASSERT_EQ(RunCliTool({"report", source, "-o", QPath("r.pdf")}).status, 0);
    EXPECT_EQ(PdfPages(QPath("r.pdf")), 1);
    EXPECT_NE(RunProgram("pdftotext", {QPath("r.pdf"), "-"}).out.find("Nothing is listed"),
              std::string::npos);
}

TEST_F(ExportReport, AFailedExportTakesBackTheFilesItWrote) {
    // A folder where the last file must go makes the export fail after every table is written.
    fs::create_directories(Path("tables") / "export.json");
    // A table that was there before is the user's: every file is written before any replaces
    // one, so it is left as it was.
    WriteFile(Path("tables") / "measure.csv", std::string("earlier"));
    const CliRun run = RunCliTool({"export", QtPath(kDemoFile), "-o", QPath("tables")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("export.json"), std::string::npos) << run.err;
    EXPECT_EQ(NamesIn(Path("tables")), (std::vector<std::string>{"export.json", "measure.csv"}));
    EXPECT_EQ(ReadText(Path("tables") / "measure.csv"), "earlier");
}

TEST_F(ExportReport, PdfOnLandscapeLetterPaperCentresTheScreenWithinItsMargins) {
    ASSERT_EQ(RunCliTool({"render", QtPath(kDemoFile), "--dvb", "t", "--screen", "spectrum",
                          "--page", "letter", "-o", QPath("l.pdf")})
                  .status,
              0);
    // The screen sits in the middle of the paper, as large as its margins allow.
    const QStringList toPng = {"-r", "72", "-png", "-singlefile", QPath("l.pdf"), QPath("l")};
    ASSERT_EQ(RunProgram("pdftoppm", toPng).status, 0);
    const QImage page(QPath("l.png"));
    ASSERT_EQ(page.size(), QSize(792, 612));
    QRect drawn;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            if (page.pixel(x, y) != 0xFFFFFFFF) drawn |= QRect(x, y, 1, 1);
        }
    }
    EXPECT_NEAR(drawn.left(), page.width() - 1 - drawn.right(), 1);
    EXPECT_NEAR(drawn.top(), page.height() - 1 - drawn.bottom(), 1);
    EXPECT_NEAR(drawn.width(), 792 - 2 * 28.35, 2) << "10 mm each side";
}

}  // namespace
}  // namespace quorvel::test
