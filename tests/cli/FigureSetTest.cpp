// A manual's figure set from render --all: the chosen lists only, whole-pixel enlargement,
// provenance read back by info, one index and sheet over several files, the text-fit report,
// the sheet decoded by a real browser, and bad input refused with nothing written.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QImage>
#include <QTemporaryDir>
#include <map>
#include <nlohmann/json.hpp>
#include <regex>

#include "CliProcess.h"
#include "support/Files.h"
#include "tools/GoldenPictures.h"

namespace quorvel::test {
namespace {

nlohmann::json ReadJson(const fs::path& path) {
    const auto bytes = ReadFile(path);
    return nlohmann::json::parse(bytes.begin(), bytes.end());
}

std::map<std::string, std::string> InfoOf(const fs::path& picture) {
    const CliRun run = RunCliTool({"info", QString::fromStdString(picture)});
    EXPECT_EQ(run.status, 0) << run.err;
    std::map<std::string, std::string> fields;
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t colon = line.find(": ");
        if (colon != std::string::npos) fields[line.substr(0, colon)] = line.substr(colon + 2);
    }
    return fields;
}

std::string DemoSha256() {
    const auto demo = ReadFile(kDemoFile);
    return QCryptographicHash::hash(QByteArray(reinterpret_cast<const char*>(demo.data()),
                                               static_cast<qsizetype>(demo.size())),
                                    QCryptographicHash::Sha256)
        .toHex()
        .toStdString();
}

TEST(CliFigureSet, FrenchTerrestrialAtTwiceTheSizeCarriesItsProvenanceAndTheCutLockWord) {
    TemporaryFolder folder;
    const CliRun run = RunCliTool({"render", QString::fromStdString(kDemoFile), "--all", "--lang",
                                   "fr", "--dvb", "t", "--scale", "2", "--dpi", "300", "--format",
                                   "png", "--fit-report", "-o", QString::fromStdString(folder.path())});
    ASSERT_EQ(run.status, 0) << run.err;

    const nlohmann::json index = ReadJson(folder / "index.json");
    std::set<std::string> listed = {"index.html", "index.json"};
    for (const auto& entry : index["pictures"]) listed.insert(entry["file"].get<std::string>());
    const auto names = folder.Names();
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()), listed);
    ASSERT_EQ(index["pictures"].size(), 11u) << "4 measure, 3 spectrum, 2+2 constellation lines";

    const std::vector<std::uint8_t> table =
        ReadFile(QUORVEL_SOURCE_DIR "/tests/golden/demo-pictures.sha256");
    const std::string golden(table.begin(), table.end());
    const std::string sha = DemoSha256();
    for (const auto& entry : index["pictures"]) {
        const std::string file = entry["file"];
        SCOPED_TRACE(file);
        EXPECT_EQ(file.substr(0, 2), "t-");
        EXPECT_EQ(file.substr(file.size() - 7), "-fr.png");
        const QImage picture(QString::fromStdString(folder / file));
        ASSERT_EQ(picture.size(), QSize(2560, 1440));
        // Each screen pixel is a 2 by 2 block of one colour, and the blocks are today's screen.
        QImage screen(1280, 720, QImage::Format_RGB32);
        bool blocksWhole = true;
        for (int y = 0; y < 720; ++y) {
            for (int x = 0; x < 1280; ++x) {
                const QRgb pixel = picture.pixel(2 * x, 2 * y);
                blocksWhole &= picture.pixel(2 * x + 1, 2 * y) == pixel &&
                               picture.pixel(2 * x, 2 * y + 1) == pixel &&
                               picture.pixel(2 * x + 1, 2 * y + 1) == pixel;
                screen.setPixel(x, y, pixel);
            }
        }
        EXPECT_TRUE(blocksWhole);
        const std::string asBmp = file.substr(0, file.size() - 3) + "bmp";
        EXPECT_NE(golden.find(golden::PixelDigest(screen) + "  " + asBmp + "\n"), std::string::npos);

        std::map<std::string, std::string> info = InfoOf(folder / file);
        EXPECT_EQ(info["Resolution"], "300 dpi");
        EXPECT_EQ(info["Source"], "demo.dat");
        EXPECT_EQ(info["Source SHA-256"], sha);
        EXPECT_EQ(info["Entry"], entry["entryName"]);
        EXPECT_EQ(info["DVB type"], "DVB-T");
        EXPECT_EQ(info["Screen"], entry["screen"]);
        EXPECT_EQ(info["Position"], std::to_string(entry["position"].get<int>()));
        EXPECT_EQ(info["Language"], "fr");
        EXPECT_EQ(info["More view"], entry["screen"] == "constellation-more" ? "yes" : "no");
        EXPECT_EQ(info["Scale"], "2");
        EXPECT_EQ(info["Title"].substr(0, 11), "Terrestrial") << "the French title as shown";

        const bool measure = entry["screen"] == "measure";
        const nlohmann::json& clipped = entry["clippedTexts"];
        if (measure && entry["position"] == 0) {
            ASSERT_EQ(clipped.size(), 1u);
            EXPECT_EQ(clipped[0]["text"], "bloquer");
            EXPECT_EQ(clipped[0]["shown"], "bloqu");
            EXPECT_NE(run.out.find(file + "\tbloquer\tbloqu\t"), std::string::npos);
        }
        if (!measure) {
            EXPECT_TRUE(clipped.empty()) << clipped.dump();
        }
    }
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "picture\ttext\tshown\tbox");

    // One screen carries the same texts, of its own state.
    const fs::path one = folder / "one.png";
    ASSERT_EQ(RunCliTool({"render", QString::fromStdString(kDemoFile), "--dvb", "c", "--screen",
                          "constellation", "--more", "--entry", "1", "-o",
                          QString::fromStdString(one)})
                  .status,
              0);
    std::map<std::string, std::string> info = InfoOf(one);
    EXPECT_EQ(info["Size"], "1280x720");
    EXPECT_EQ(info.count("Resolution"), 0u);
    EXPECT_EQ(info["DVB type"], "DVB-C");
    EXPECT_EQ(info["Position"], "1");
    EXPECT_EQ(info["More view"], "yes");
    EXPECT_EQ(info["Language"], "en");
    EXPECT_EQ(info["Scale"], "1");

    const CliRun plain = RunCliTool({"info", QString::fromStdString(kDemoFile)});
    EXPECT_EQ(plain.status, 1);
    EXPECT_NE(plain.err.find("demo.dat"), std::string::npos);
}

TEST(CliFigureSet, SeveralFilesGoToTheirOwnFoldersUnderOneIndexAndSheet) {
    TemporaryFolder sources;
    fs::create_directories(sources / "a");
    fs::create_directories(sources / "b");
    fs::copy_file(kDemoFile, sources / "a" / "demo.dat");
    fs::copy_file(kDemoFile, sources / "b" / "demo.dat");
    TemporaryFolder folder;
    const CliRun run = RunCliTool({"render", "--all", QString::fromStdString(sources / "a/demo.dat"),
                                   QString::fromStdString(sources / "b/demo.dat"), "--screen",
                                   "measure", "--lang", "en", "--dvb", "c,s", "-o",
                                   QString::fromStdString(folder.path())});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"demo", "demo-2", "index.html", "index.json"}));
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
    const auto sheet = ReadFile(folder / "index.html");
    const std::string html(sheet.begin(), sheet.end());
    EXPECT_NE(html.find("data-src=\"demo-2/c-measure-00-en.bmp\""), std::string::npos);
    EXPECT_EQ(html.find("://"), std::string::npos) << "nothing from elsewhere";
}

TEST(CliFigureSet, BadValuesAreNamedAndNothingIsWritten) {
    TemporaryFolder folder;
    const fs::path blocker = WriteFile(folder / "taken", std::string("not a folder"));
    const QString output = QString::fromStdString(folder / "out");
    const QString demo = QString::fromStdString(kDemoFile);
    struct Case {
        QStringList arguments;
        int status;
        std::string named;
    };
    const Case cases[] = {
        {{"-o", output, "--lang", "de"}, 2, "de"},
        {{"-o", output, "--dvb", "s,x"}, 2, "x"},
        {{"-o", output, "--screen", "measure,"}, 2, "''"},
        {{"-o", output, "--scale", "5"}, 2, "5"},
        {{"-o", output, "--scale", "0"}, 2, "0"},
        {{"-o", output, "--dpi", "10001"}, 2, "10001"},
        {{"-o", output, "--dpi", "0"}, 2, "0"},
        {{"-o", output, demo}, 2, "twice"},
        {{"-o", QString::fromStdString(blocker)}, 1, "taken"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const CliRun run = RunCliTool(QStringList{"render", demo, "--all"} + c.arguments);
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_NE(run.err.find(c.named), std::string::npos) << run.err;
        EXPECT_EQ(folder.Names(), std::vector<std::string>{"taken"});
    }
}

TEST(CliFigureSet, BrowserDecodesEveryPictureOfTheSheetAndMarksAMissingOne) {
    TemporaryFolder folder;
    const CliRun run = RunCliTool({"render", QString::fromStdString(kDemoFile), "--all", "--format",
                                   "png", "-o", QString::fromStdString(folder.path())});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::size_t pictures = ReadJson(folder / "index.json")["pictures"].size();
    const auto dump = [&] {
        QTemporaryDir profile;
        QProcess browser;
        browser.start("chromium",
                      {"--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                       "--no-first-run", "--disable-background-networking",
                       "--disable-component-update", "--disable-sync",
                       "--user-data-dir=" + profile.path(), "--dump-dom",
                       QString::fromStdString("file://" + (folder / "index.html").string() + "#eager")});
        EXPECT_TRUE(browser.waitForFinished(60'000)) << browser.errorString().toStdString();
        return browser.readAllStandardOutput().toStdString();
    };
    const auto count = [](const std::string& dom, const std::string& pattern) {
        const std::regex expression(pattern);
        return static_cast<std::size_t>(
            std::distance(std::sregex_iterator(dom.begin(), dom.end(), expression), {}));
    };
    const std::string whole = dump();
    EXPECT_EQ(count(whole, "<img width=\"320\" height=\"180\" data-src="), pictures);
    EXPECT_EQ(count(whole, "data-decoded=\"1280\""), pictures);
    EXPECT_EQ(count(whole, "data-failed=\"\""), 0u);

    fs::remove(folder / "s-measure-00-fr.png");
    const std::string missing = dump();
    EXPECT_EQ(count(missing, "data-decoded=\"1280\""), pictures - 1);
    EXPECT_EQ(count(missing, "<figure class=\"broken\"><a href=\"s-measure-00-fr.png\""), 1u);
}

}  // namespace
}  // namespace quorvel::test
