// render --all: exactly the expected pictures and index, each picture the window's, and every
// picture that cannot be written named while the others still are.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <set>

#include "Version.h"
#include "CliProcess.h"
#include "ExpectedScreen.h"
#include "data/TextEncoding.h"

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;

struct Expected {
    std::string file;
    std::string entryName;
    WindowState window;
};

// One name per DVB type, family, listed line and language, plus the constellation More views.
std::vector<Expected> ExpectedPictures(const std::string& extension) {
    SourceRecord record;
    EXPECT_EQ(LoadSourceFile(kDemoFile, record), LoadOutcome::Loaded);
    std::vector<Expected> pictures;
    for (auto [dvbType, letter] :
         {std::pair{DvbType::Satellite, "s"}, std::pair{DvbType::Terrestrial, "t"},
          std::pair{DvbType::Cable, "c"}}) {
        Catalogue catalogue;
        RebuildCatalogue(record, dvbType, catalogue);
        const struct {
            const char* name;
            Category screen;
            bool more;
            const std::vector<std::string>* names;
        } families[] = {
            {"measure", Category::Measure, false, &catalogue.measure.names},
            {"spectrum", Category::Spectrum, false, &catalogue.spectrum.names},
            {"constellation", Category::Constellation, false, &catalogue.constellation.names},
            {"constellation-more", Category::Constellation, true, &catalogue.constellation.names}};
        for (const auto& [screen, category, more, names] : families) {
            for (std::size_t line = 0; line < names->size(); ++line) {
                for (const auto& [language, code] :
                     {std::pair{Language::English, "en"}, std::pair{Language::French, "fr"}}) {
                    char file[96];
                    std::snprintf(file, sizeof file, "%s-%s-%02zu-%s.%s", letter, screen, line,
                                  code, extension.c_str());
                    const std::u16string wide = WidenText((*names)[line]);
                    pictures.push_back(
                        {file,
                         QString::fromStdU16String(wide).toStdString(),
                         {dvbType, category, static_cast<int>(line), language, more}});
                }
            }
        }
    }
    return pictures;
}

std::set<std::string> FilesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename());
    return names;
}

std::string DemoSha256() {
    QFile file(QString::fromStdString(kDemoFile));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
        .toHex()
        .toStdString();
}

nlohmann::json ReadJson(const fs::path& path) {
    std::ifstream file(path);
    return nlohmann::json::parse(file);
}

TEST(CliBatch, WritesExactlyOnePicturePerScreenAndAnIndexThatTracesEachBack) {
    const std::vector<Expected> expected = ExpectedPictures("png");
    ASSERT_GT(expected.size(), 20u) << "the demo file lists entries in every family";
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const fs::path shots = fs::path(folder.path().toStdString()) / "shots";

    const CliRun run = RunCliTool({"render", QString::fromStdString(kDemoFile), "--all", "-o",
                                   QString::fromStdString(shots.string()), "--format", "png"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "") << "no progress when standard error is not a terminal";

    std::set<std::string> names = {"index.json"};
    for (const Expected& picture : expected) names.insert(picture.file);
    EXPECT_EQ(FilesIn(shots), names);

    const nlohmann::json index = ReadJson(shots / "index.json");
    ASSERT_EQ(index["pictures"].size(), expected.size());
    const std::string sha = DemoSha256();
    std::map<std::string, nlohmann::json> byFile;
    for (const auto& entry : index["pictures"]) byFile[entry["file"]] = entry;
    for (const Expected& picture : expected) {
        SCOPED_TRACE(picture.file);
        const nlohmann::json& entry = byFile[picture.file];
        EXPECT_EQ(entry["entryName"], picture.entryName);
        EXPECT_EQ(entry["sourceSha256"], sha);
        EXPECT_EQ(entry["toolVersion"], kVersion);
        EXPECT_EQ(entry["dvbType"].get<std::string>().substr(0, 4), "DVB-");
        EXPECT_EQ(
            std::string(1, static_cast<char>(std::tolower(entry["dvbType"].get<std::string>()[4]))),
            picture.file.substr(0, 1));
        const std::string screen = entry["screen"];
        const std::string language = entry["language"];
        char rebuilt[96];
        std::snprintf(rebuilt, sizeof rebuilt, "%s-%s-%02d-%s.png",
                      picture.file.substr(0, 1).c_str(), screen.c_str(),
                      entry["position"].get<int>(), language.c_str());
        EXPECT_EQ(rebuilt, picture.file) << "index fields name the picture's own state";
    }

    // Drawn side by side on several threads, every picture is still the window's screen.
    for (const Expected& picture : expected) {
        const QImage written(QString::fromStdString((shots / picture.file).string()));
        EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32),
                  WindowScreen(kDemoFile, picture.window))
            << picture.file;
    }
}

TEST(CliBatch, NamesEachPictureThatCouldNotBeWrittenAndWritesTheRest) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const fs::path shots = folder.path().toStdString();
    // A folder where a picture should go: the atomic write refuses to replace it.
    fs::create_directory(shots / "s-measure-01-fr.bmp");
    fs::create_directory(shots / "t-spectrum-00-en.bmp");

    const CliRun run = RunCliTool({"render", QString::fromStdString(kDemoFile), "--all", "-o",
                                   QString::fromStdString(shots.string())});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("s-measure-01-fr.bmp failed"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("t-spectrum-00-en.bmp failed"), std::string::npos) << run.err;

    const std::vector<Expected> expected = ExpectedPictures("bmp");
    EXPECT_EQ(FilesIn(shots).size(), expected.size() + 1);
    EXPECT_EQ(fs::file_size(shots / "s-measure-00-fr.bmp"), Bmp32FileSize(1280, 720));
    const nlohmann::json index = ReadJson(shots / "index.json");
    EXPECT_EQ(index["pictures"].size(), expected.size() - 2) << "failed pictures are not indexed";
    for (const auto& entry : index["pictures"]) {
        EXPECT_NE(entry["file"], "s-measure-01-fr.bmp");
        EXPECT_NE(entry["file"], "t-spectrum-00-en.bmp");
    }
}

}  // namespace
}  // namespace quorvel::test
