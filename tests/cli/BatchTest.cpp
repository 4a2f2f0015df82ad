// render --all: exactly the expected pictures, index and sheet, each picture the window's, the
// sheet decoded by a real browser, and every picture that cannot be written named while the
// others still are.
#include <gtest/gtest.h>

#include "CliProcess.h"
#include "Version.h"
#include "data/Catalogue.h"
#include "data/SourceFile.h"
#include "data/TextEncoding.h"
#include "export/BmpEncoder.h"

namespace quorvel::test {
namespace {

struct Expected {
    std::string file;
    std::string entryName;
};

// One name per DVB type, family, listed line and language, plus the constellation More views.
std::vector<Expected> ExpectedPictures() {
    SourceRecord record;
    EXPECT_EQ(LoadSourceFile(kDemoFile, record), LoadOutcome::Loaded);
    std::vector<Expected> pictures;
    for (const auto& [dvbType, letter] :
         {std::pair{DvbType::Satellite, 's'}, {DvbType::Terrestrial, 't'}, {DvbType::Cable, 'c'}}) {
        Catalogue catalogue;
        RebuildCatalogue(record, dvbType, catalogue);
        const std::pair<const char*, const std::vector<std::string>&> families[] = {
            {"measure", catalogue.measure.names},
            {"spectrum", catalogue.spectrum.names},
            {"constellation", catalogue.constellation.names},
            {"constellation-more", catalogue.constellation.names}};
        for (const auto& [screen, names] : families) {
            for (std::size_t line = 0; line < names.size(); ++line) {
                for (const char* code : {"en", "fr"}) {
                    pictures.push_back(
                        {QString::asprintf("%c-%s-%02zu-%s.png", letter, screen, line, code)
                             .toStdString(),
                         QString::fromStdU16String(WidenText(names[line])).toStdString()});
                }
            }
        }
    }
    return pictures;
}

TEST(CliBatch, WritesOnePicturePerScreenAnIndexThatTracesEachBackAndASheetShowingThem) {
    const std::vector<Expected> expected = ExpectedPictures();
    ASSERT_GT(expected.size(), 20u) << "the demo file lists entries in every family";
    TemporaryFolder folder;
    const CliRun run = RunCliTool(BatchInto(folder.path()) + QStringList{"--format", "png"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "quorvel-cli: contact sheet: " + (folder / "index.html").string() + "\n")
        << "no progress when standard error is not a terminal";

    std::vector<std::string> names = {"index.html", "index.json"};
    for (const Expected& picture : expected) names.push_back(picture.file);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(folder.Names(), names);

    const std::string sha = DemoSha256();
    const nlohmann::json index = ReadJson(folder / "index.json");
    ASSERT_EQ(index["pictures"].size(), expected.size());
    std::map<std::string, nlohmann::json> byFile;
    for (const auto& entry : index["pictures"]) byFile[entry["file"]] = entry;
    for (const Expected& picture : expected) {
        SCOPED_TRACE(picture.file);
        const nlohmann::json& entry = byFile[picture.file];
        EXPECT_EQ(entry["entryName"], picture.entryName);
        EXPECT_EQ(entry["recordSha256"], sha);
        EXPECT_EQ(entry["toolVersion"], kVersion);
        const std::string dvbType = entry["dvbType"];
        const QString rebuilt = QString::asprintf("%c-%s-%02d-%s.png", std::tolower(dvbType.back()),
                                                  entry["screen"].get<std::string>().c_str(),
                                                  entry["position"].get<int>(),
                                                  entry["language"].get<std::string>().c_str());
        EXPECT_EQ(dvbType.substr(0, 4), "DVB-");
        EXPECT_EQ(rebuilt.toStdString(), picture.file) << "index fields name the picture's state";
        // Drawn side by side on several threads, every picture still has the golden pixels.
        const QImage written(QtPath(folder / picture.file));
        EXPECT_TRUE(InGoldenTable(written, picture.file));
    }

    // A real browser decodes every picture of the sheet, and marks one gone missing.
    const std::string whole = BrowserDom(folder / "index.html", "#eager");
    EXPECT_EQ(Count(whole, "<img width=\"320\" height=\"180\" data-src="), expected.size());
    EXPECT_EQ(Count(whole, "data-decoded=\"1280\""), expected.size());
    EXPECT_EQ(Count(whole, "data-failed=\"\""), 0u);
    fs::remove(folder / "s-measure-00-fr.png");
    const std::string missing = BrowserDom(folder / "index.html", "#eager");
    EXPECT_EQ(Count(missing, "data-decoded=\"1280\""), expected.size() - 1);
    EXPECT_EQ(Count(missing, "data-screen=\"measure\" class=\"broken\"><figcaption>"), 1u);
    EXPECT_NE(missing.find("<figure id=\"s-measure-00-fr.png\" data-language=\"fr\" "
                           "data-dvb=\"DVB-S\" data-screen=\"measure\" class=\"broken\">"),
              std::string::npos);
}

// A dump read back is the record it was made from: every picture the same to the byte.
TEST(CliBatch, DrawsFromADumpThePicturesOfItsSourceFile) {
    TemporaryFolder folder;
    const CliRun dump = RunCliTool({"dump", QtPath(kDemoFile)});
    ASSERT_EQ(dump.status, 0) << dump.err;
    const fs::path json = WriteFile(folder / "demo.json", dump.out);
    ASSERT_EQ(RunCliTool(BatchInto(folder / "from-dat")).status, 0);
    const CliRun run = RunCliTool(BatchInto(folder / "from-json", json.string()));
    ASSERT_EQ(run.status, 0) << run.err;

    const std::vector<std::string> names = NamesIn(folder / "from-dat");
    ASSERT_EQ(NamesIn(folder / "from-json"), names);
    for (const std::string& name : names) {
        if (!name.ends_with(".bmp")) continue;
        EXPECT_TRUE(ReadFile(folder / "from-json" / name) == ReadFile(folder / "from-dat" / name))
            << name;
    }
    const nlohmann::json index = ReadJson(folder / "from-json" / "index.json");
    EXPECT_EQ(index["pictures"][0]["recordSha256"], DemoSha256());
}

// A batch into a folder an earlier one filled counts the pictures it leaves there, keeps them
// listed, and --clean removes exactly those: nothing the user put there, nothing this batch
// drew, nothing outside the folder whatever the index was edited to say.
TEST(CliBatch, CountsEarlierPicturesItLeavesAndCleanRemovesOnlyThose) {
    TemporaryFolder root;
    const fs::path folder = root / "shots";
    const QStringList choice = BatchInto(folder) + QStringList{"--dvb", "s", "--screen", "measure"};
    ASSERT_EQ(RunCliTool(choice).status, 0);
    const std::vector<std::string> bmps = NamesIn(folder);
    ASSERT_EQ(bmps.size(), 10u) << "8 pictures, index and sheet";

    const QStringList png = choice + QStringList{"--format", "png"};
    const std::string sheetLine = "quorvel-cli: contact sheet: " + (folder / "index.html").string();
    const CliRun kept = RunCliTool(png);
    ASSERT_EQ(kept.status, 0) << kept.err;
    EXPECT_EQ(kept.err, "quorvel-cli: " + folder.string() +
                            " holds 8 earlier picture(s) not in this batch; --clean removes them\n" +
                            sheetLine + "\n");
    for (const std::string& name : bmps) EXPECT_TRUE(fs::exists(folder / name)) << name;
    EXPECT_EQ(ReadJson(folder / "index.json")["earlier"].size(), 8u);

    WriteFile(folder / "mine.bmp", std::string("mine"));
    WriteFile(folder / "notes.txt", std::string("notes"));
    WriteFile(root / "outside.png", std::string("outside"));
    fs::create_directory_symlink(root.path(), folder / "link");
    nlohmann::json index = ReadJson(folder / "index.json");
    for (const char* name : {"../outside.png", "link/outside.png", "notes.txt"}) {
        index["pictures"].push_back({{"file", name}});
    }
    index["earlier"].push_back((root / "outside.png").string());
    WriteFile(folder / "index.json", index.dump());

    const CliRun cleaned = RunCliTool(png + QStringList{"--clean"});
    ASSERT_EQ(cleaned.status, 0) << cleaned.err;
    EXPECT_EQ(cleaned.err, "quorvel-cli: removed 8 earlier picture(s)\n" + sheetLine + "\n");
    std::vector<std::string> left = {"index.html", "index.json", "link", "mine.bmp", "notes.txt"};
    const nlohmann::json cleanIndex = ReadJson(folder / "index.json");
    for (const auto& entry : cleanIndex["pictures"]) left.push_back(entry["file"]);
    std::sort(left.begin(), left.end());
    EXPECT_EQ(NamesIn(folder), left);
    EXPECT_EQ(ReadText(root / "outside.png"), "outside");
    EXPECT_EQ(cleanIndex["earlier"].size(), 0u);

    const CliRun again = RunCliTool(png + QStringList{"--clean"});
    EXPECT_EQ(again.err, sheetLine + "\n") << "nothing left to clean, nothing said";
}

TEST(CliBatch, NamesEachPictureThatCouldNotBeWrittenAndWritesTheRest) {
    TemporaryFolder folder;
    // A folder where a picture should go: the atomic write refuses to replace it.
    const std::string blocked[] = {"s-measure-01-fr.bmp", "t-spectrum-00-en.bmp"};
    for (const std::string& name : blocked) fs::create_directory(folder / name);

    const CliRun run = RunCliTool(BatchInto(folder.path()));
    EXPECT_EQ(run.status, 1);
    const std::size_t pictures = ExpectedPictures().size();
    EXPECT_EQ(folder.Names().size(), pictures + 2) << "pictures, index and sheet";
    EXPECT_EQ(fs::file_size(folder / "s-measure-00-fr.bmp"), Bmp32FileSize(1280, 720));
    const nlohmann::json index = ReadJson(folder / "index.json");
    EXPECT_EQ(index["pictures"].size(), pictures - 2) << "failed pictures are listed apart";
    ASSERT_EQ(index["failed"].size(), 2u);
    const std::string html = ReadText(folder / "index.html");
    for (std::size_t i = 0; i < 2; ++i) {
        const std::string& name = blocked[i];
        EXPECT_NE(run.err.find(name + " failed"), std::string::npos) << run.err;
        for (const auto& entry : index["pictures"]) EXPECT_NE(entry["file"], name);
        EXPECT_EQ(index["failed"][i]["file"], name);
        EXPECT_NE(html.find("<figure id=\"" + name + "\" class=\"failed\""), std::string::npos);
        EXPECT_NE(html.find("</figcaption><p>" + name + " was not written"), std::string::npos);
    }
}

}  // namespace
}  // namespace quorvel::test
