// A manual's figure set from render --all: the chosen lists only, whole-pixel enlargement or
// the smooth print raster, provenance read back by info, one index and sheet over several
// files, and the text-fit report. Its refusals are in the command-line refusal table.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <sstream>

#include "CliProcess.h"
#include "Version.h"
#include "cli/SmoothPicture.h"
#include "data/SourceFile.h"

namespace quorvel::test {
namespace {

std::string InfoOf(const fs::path& picture) {
    return RunCliTool({"info", QtPath(picture)}).out;
}

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(separator, from)) != std::string::npos;) {
        parts.push_back(text.substr(from, at - from));
        from = at + separator.size();
    }
    parts.push_back(text.substr(from));
    return parts;
}

// The report of `--dvb t --lang fr --scale 2`: each cut word once with its id, English source
// and pictures; widths, box and font in the pictures' pixels, the same in index.json, the CSV
// file and on standard output.
void ExpectFitReportOfFrenchTerrestrial(const fs::path& folder, const std::string& printed) {
    struct Cut {
        std::string id, text, english, shown, pictures;
    };
    const Cut cuts[] = {
        {"text-29", "bloquer", "LOCK", "bloqu",
         "t-measure-00-fr.png; t-measure-01-fr.png; t-measure-02-fr.png"},
        {"text-30", "UNLOCK", "UNLOCK", "UNLO", "t-measure-03-fr.png"},
    };
    const nlohmann::json fit = ReadJson(folder / "index.json")["fit"];
    EXPECT_EQ(fit["scale"], 2);
    ASSERT_EQ(fit["texts"].size(), std::size(cuts)) << fit.dump();

    std::string csv = ReadText(folder / "fit-report.csv");
    ASSERT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF") << "a byte order mark for spreadsheets";
    csv.erase(0, 3);
    // No field here holds a comma, a quote or a tab: what is printed is the file, tab-separated.
    EXPECT_EQ(printed, std::regex_replace(std::regex_replace(csv, std::regex(","), "\t"),
                                          std::regex("\r\n"), "\n"));
    const std::vector<std::string> rows = Split(csv, "\r\n");
    ASSERT_EQ(rows.size(), std::size(cuts) + 2) << csv;
    EXPECT_EQ(rows[0],
              "id,language,text,English,shown,needed width (px),box width (px),box height (px),"
              "font size (px),scale,pictures");

    // At scale 1 every width, the box and the font are half. Without --fit-report no CSV file
    // is written, and one left from an earlier batch goes.
    TemporaryFolder once;
    WriteFile(once / "fit-report.csv", std::string("earlier"));
    ASSERT_EQ(RunCliTool({"render", QtPath(kDemoFile), "--all", "--lang", "fr", "--dvb", "t",
                          "--screen", "measure", "-o", QtPath(once.path())})
                  .status,
              0);
    const nlohmann::json single = ReadJson(once / "index.json")["fit"];
    EXPECT_EQ(single["scale"], 1);
    EXPECT_FALSE(fs::exists(once / "fit-report.csv"));
    ASSERT_EQ(single["texts"].size(), std::size(cuts)) << single.dump();

    for (std::size_t i = 0; i < std::size(cuts); ++i) {
        const Cut& cut = cuts[i];
        SCOPED_TRACE(cut.text);
        const nlohmann::json& text = fit["texts"][i];
        EXPECT_EQ(std::vector<std::string>(
                      {text["id"], text["language"], text["text"], text["english"], text["shown"]}),
                  std::vector<std::string>({cut.id, "fr", cut.text, cut.english, cut.shown}));
        EXPECT_EQ(text["pictures"], nlohmann::json(Split(cut.pictures, "; ")));
        const double needed = text["neededWidth"];
        EXPECT_EQ(text["box"], nlohmann::json({{"width", 600}, {"height", 300}}));
        EXPECT_GT(needed, 600) << "needs more than the box has";
        for (const char* key : {"neededWidth", "fontSize"}) {
            EXPECT_EQ(text[key], 2 * single["texts"][i][key].get<double>()) << key;
        }
        EXPECT_EQ(single["texts"][i]["box"], nlohmann::json({{"width", 300}, {"height", 150}}));

        const std::vector<std::string> row = Split(rows[i + 1], ",");
        ASSERT_EQ(row.size(), 11u) << rows[i + 1];
        EXPECT_EQ(std::vector<std::string>(row.begin(), row.begin() + 5),
                  std::vector<std::string>({cut.id, "fr", cut.text, cut.english, cut.shown}));
        EXPECT_EQ(std::stod(row[5]), needed);
        EXPECT_EQ(
            std::vector<std::string>(row.begin() + 6, row.end()),
            std::vector<std::string>(
                {"600", "300", std::to_string(text["fontSize"].get<int>()), "2", cut.pictures}));
    }
}

TEST(CliFigureSet, FrenchTerrestrialAtTwiceTheSizeCarriesItsProvenanceAndTheCutLockWord) {
    TemporaryFolder folder;
    const CliRun run = RunCliTool({"render", QtPath(kDemoFile), "--all", "--lang", "fr", "--dvb",
                                   "t", "--scale", "2", "--dpi", "300", "--format", "png",
                                   "--fit-report", "-o", QtPath(folder.path())});
    ASSERT_EQ(run.status, 0) << run.err;

    const nlohmann::json index = ReadJson(folder / "index.json");
    std::vector<std::string> listed = {"fit-report.csv", "index.html", "index.json"};
    for (const auto& entry : index["pictures"]) listed.push_back(entry["file"]);
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(folder.Names(), listed);
    ASSERT_EQ(index["pictures"].size(), 11u) << "4 measure, 3 spectrum, 2+2 constellation lines";

    for (const auto& entry : index["pictures"]) {
        const std::string file = entry["file"];
        SCOPED_TRACE(file);
        EXPECT_EQ(file.substr(0, 2), "t-");
        EXPECT_EQ(file.substr(file.size() - 7), "-fr.png");
        const QImage picture(QtPath(folder / file));
        ASSERT_EQ(picture.size(), QSize(2560, 1440));
        // Each screen pixel is a 2 by 2 block of one colour, and the blocks are today's screen.
        const QImage shrunk = picture.scaled(1280, 720);
        EXPECT_TRUE(shrunk.scaled(2560, 1440) == picture) << "a 2 by 2 block per screen pixel";
        EXPECT_TRUE(InGoldenTable(shrunk, file));

        const std::string screen = entry["screen"];
        const std::string title = screen == "measure"    ? "Measure"
                                  : screen == "spectrum" ? "Spectrum Analyzer"
                                                         : "Constellation Analyzer";
        EXPECT_EQ(InfoOf(folder / file),
                  "Size: 2560x1440\nResolution: 300 dpi\nTitle: Terrestrial > " + title +
                      "\nSource: demo.dat\nSource SHA-256: " + DemoSha256() +
                      "\nDVB type: DVB-T\nScreen: " + screen +
                      "\nPosition: " + std::to_string(entry["position"].get<int>()) +
                      "\nEntry: " + entry["entryName"].get<std::string>() +
                      "\nLanguage: fr\nReference level: 40\nCursor column: 101\nMore view: " +
                      (screen == "constellation-more" ? "yes" : "no") +
                      "\nScale: 2\nSoftware: quorvel-cli " + kVersion + "\n");

        const nlohmann::json& clipped = entry["clippedTexts"];
        if (screen == "measure" && entry["position"] == 0) {
            ASSERT_EQ(clipped.size(), 1u);
            EXPECT_EQ(clipped[0]["text"], "bloquer");
            EXPECT_EQ(clipped[0]["shown"], "bloqu");
        }
        EXPECT_TRUE(screen == "measure" || clipped.empty()) << clipped.dump();
    }
    ExpectFitReportOfFrenchTerrestrial(folder.path(), run.out);

    // One screen carries the same texts, of its own state.
    const fs::path one = folder / "one.png";
    ASSERT_EQ(RunCliTool({"render", QtPath(kDemoFile), "--dvb", "c", "--screen", "constellation",
                          "--more", "--entry", "1", "-o", QtPath(one)})
                  .status,
              0);
    EXPECT_EQ(InfoOf(one),
              "Size: 1280x720\nTitle: Cable > Constellation Analyzer\n"
              "Source: demo.dat\nSource SHA-256: " +
                  DemoSha256() +
                  "\nDVB type: DVB-C\nScreen: constellation-more\nPosition: 1\n"
                  "Entry: Cable E40 626 MHz 16-QAM\nLanguage: en\n"
                  "Reference level: 40\nCursor column: 101\nMore view: yes\n"
                  "Scale: 1\nSoftware: quorvel-cli " +
                  kVersion + "\n");
}

// Drawn on several threads at once, each picture is still the one screen's print raster, and
// says the scale its regions are placed at.
TEST(CliFigureSet, SmoothSetHoldsThePrintRasterOfEachScreenAndItsScale) {
    SourceRecord record;
    ASSERT_EQ(LoadSourceFile(kDemoFile, record), LoadOutcome::Loaded);
    std::ostringstream fontProblem;
    ASSERT_TRUE(cli::SmoothFontReady(fontProblem)) << fontProblem.str();
    const auto catalogue = CatalogueFor(record, DvbType::Satellite);
    TemporaryFolder folder;
    const CliRun run = RunCliTool({"render", QtPath(kDemoFile), "--all", "--dvb", "s", "--screen",
                                   "measure", "--lang", "en", "--scale", "3", "--smooth",
                                   "--format", "png", "-o", QtPath(folder.path())});
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json index = ReadJson(folder / "index.json");
    ASSERT_EQ(index["pictures"].size(), 4u);
    for (const auto& entry : index["pictures"]) {
        const std::string file = entry["file"];
        SCOPED_TRACE(file);
        const ScreenRequest request{DvbType::Satellite, Category::Measure,
                                         entry["position"].get<std::size_t>(), Language::English};
        const QImage picture(QtPath(folder / file));
        EXPECT_EQ(picture.convertToFormat(QImage::Format_RGB32),
                  cli::RenderSmoothScreen(*catalogue, request, 3).image);
        const std::string info = InfoOf(folder / file);
        EXPECT_NE(info.find("Size: 3840x2160\n"), std::string::npos) << info;
        EXPECT_NE(info.find("\nScale: 3\n"), std::string::npos) << info;
    }
}

// Print figures: each picture is the single render's SVG, or a one-page PDF, under the batch's
// names; cut texts are still found, and the sheet shows the SVGs and links the PDFs.
TEST(CliFigureSet, VectorSetsHoldOneDocumentPerPictureUnderTheBatchNames) {
    TemporaryFolder folder;
    const QStringList choice = {"--dvb", "t", "--screen", "measure,constellation", "--lang", "fr"};
    for (const char* format : {"svg", "pdf"}) {
        const CliRun run =
            RunCliTool(BatchInto(folder / format) + choice + QStringList{"--format", format});
        ASSERT_EQ(run.status, 0) << run.err;
    }
    const nlohmann::json svgIndex = ReadJson(folder / "svg" / "index.json");
    const nlohmann::json pdfIndex = ReadJson(folder / "pdf" / "index.json");
    ASSERT_EQ(svgIndex["pictures"].size(), 8u) << "4 measure, 2+2 constellation lines";
    ASSERT_EQ(pdfIndex["pictures"].size(), 8u);
    EXPECT_EQ(svgIndex["fit"]["texts"].size(), 2u) << "bloquer and UNLOCK are cut";
    ASSERT_EQ(pdfIndex["fit"]["texts"].size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(pdfIndex["fit"]["texts"][i]["shown"], svgIndex["fit"]["texts"][i]["shown"]);
    }
    for (std::size_t i = 0; i < 8; ++i) {
        const nlohmann::json& entry = svgIndex["pictures"][i];
        const std::string svg = entry["file"];
        const std::string pdf = pdfIndex["pictures"][i]["file"];
        SCOPED_TRACE(svg);
        EXPECT_EQ(svg.substr(0, svg.size() - 4) + ".pdf", pdf);
        EXPECT_TRUE(svg.ends_with("-fr.svg"));
        std::string screen = entry["screen"];
        if (screen == "constellation-more") screen = "constellation";
        QStringList arguments = {"render", QtPath(kDemoFile), "--dvb", "t", "--screen",
                                 QString::fromStdString(screen), "--entry",
                                 QString::number(entry["position"].get<int>()), "--lang", "fr",
                                 "-o"};
        const QStringList more = screen != entry["screen"] ? QStringList{"--more"} : QStringList{};
        for (const char* single : {"single.svg", "single.pdf"}) {
            ASSERT_EQ(RunCliTool(arguments + QStringList{QtPath(folder / single)} + more).status, 0);
        }
        EXPECT_TRUE(ReadFile(folder / "svg" / svg) == ReadFile(folder / "single.svg"));
        // A PDF holds the time it was made: its page's text must be the single render's.
        const auto textOf = [](const fs::path& path) {
            return RunProgram("pdftotext", {QtPath(path), "-"}).out;
        };
        const std::string text = textOf(folder / "pdf" / pdf);
        EXPECT_NE(text.find("Terrestrial > "), std::string::npos) << text;
        EXPECT_EQ(text, textOf(folder / "single.pdf"));
    }
    EXPECT_EQ(NamesIn(folder / "svg").size(), 10u) << "the pictures, index.json and the sheet";

    const std::string svgDom = BrowserDom(folder / "svg" / "index.html", "#eager");
    EXPECT_EQ(Count(svgDom, "data-decoded=\"1280\""), 8u) << svgDom;
    const std::string pdfDom = BrowserDom(folder / "pdf" / "index.html", "#eager");
    EXPECT_EQ(Count(pdfDom, "<a class=\"document\" href=\"t-measure-00-fr.pdf\""), 1u);
    EXPECT_EQ(Count(pdfDom, "<a class=\"document\" href=\"t-"), 8u);
}

TEST(CliFigureSet, SeveralFilesGoToTheirOwnFoldersUnderOneIndexAndSheet) {
    TemporaryFolder sources;
    fs::create_directories(sources / "a");
    fs::create_directories(sources / "b");
    fs::copy_file(kDemoFile, sources / "a" / "demo.dat");
    fs::copy_file(kDemoFile, sources / "b" / "demo.dat");
    TemporaryFolder folder;
    const CliRun run = RunCliTool({"render", "--all", QtPath(sources / "a/demo.dat"),
                                   QtPath(sources / "b/demo.dat"), "--screen", "measure", "--lang",
                                   "en", "--dvb", "c,s", "-o", QtPath(folder.path())});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(folder.Names(),
              (std::vector<std::string>{"demo", "demo-2", "index.html", "index.json"}));
    const nlohmann::json index = ReadJson(folder / "index.json");
    std::map<std::string, int> perFolder;
    for (const auto& entry : index["pictures"]) {
        const std::string file = entry["file"];
        EXPECT_TRUE(fs::is_regular_file(folder / file)) << file;
        EXPECT_TRUE(std::regex_match(file, std::regex("demo(-2)?/[sc]-measure-\\d\\d-en\\.bmp")))
            << file;
        ++perFolder[file.substr(0, file.find('/'))];
    }
    EXPECT_GT(perFolder["demo"], 0);
    EXPECT_EQ(perFolder["demo"], perFolder["demo-2"]);
    const std::string html = ReadText(folder / "index.html");
    EXPECT_NE(html.find("data-src=\"demo-2/c-measure-00-en.bmp\""), std::string::npos);
    EXPECT_EQ(html.find("://"), std::string::npos) << "nothing from elsewhere";

    // Names that mean something in a link (a fragment, a query, an escape) or are no UTF-8 still
    // load from the sheet. The shell hands the names over as the bytes they are.
    TemporaryFolder odd;
    for (const char* name : {"a#b.dat", "q?x.dat", "50%41.dat", "caf\xe9.dat"}) {
        fs::copy_file(kDemoFile, odd / name);
    }
    const CliRun oddRun = RunProgram(
        "/bin/sh",
        {"-c", "cd \"$1\" && \"$0\" render --all *.dat --screen measure --dvb s -o sheet", kCliPath,
         QtPath(odd.path())});
    ASSERT_EQ(oddRun.status, 0) << oddRun.err;
    const std::string dom = BrowserDom(odd / "sheet" / "index.html", "#eager");
    EXPECT_EQ(Count(dom, "data-decoded=\"1280\""), ReadJson(odd / "sheet" / "index.json")["pictures"].size()) << dom;
    EXPECT_EQ(dom.find("data-failed=\"\""), std::string::npos);
}

}  // namespace
}  // namespace quorvel::test
