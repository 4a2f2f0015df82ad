// compare on `render --all` folders of the demo file, BMP and PNG: one changed pixel named with
// its picture and region, the report page decoded by a real browser, --accept, and refusals.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "CliProcess.h"
#include "compare/PictureBytes.h"

namespace quorvel::test {
namespace {

// Flips the red byte of one pixel of a bottom-up 32-bit BMP screen.
void ChangePixel(const fs::path& path, int x, int y) {
    std::vector<std::uint8_t> bytes = ReadFile(path);
    bytes[54 + (static_cast<std::size_t>(719 - y) * 1280 + x) * 4 + 2] ^= 0x40;
    WriteFile(path, bytes);
}

class CompareDemo : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        s_dir = new QTemporaryDir;
        for (const char* side : {"approved", "new"}) {
            const CliRun run = RunCliTool(BatchInto(FsPath(side)));
            ASSERT_EQ(run.status, 0) << run.err;
        }
        const CliRun png = RunCliTool(BatchInto(FsPath("png")) << "--format"
                                                               << "png");
        ASSERT_EQ(png.status, 0) << png.err;
    }
    static void TearDownTestSuite() { delete s_dir; }
    static QString Path(const char* name) { return s_dir->filePath(name); }
    static fs::path FsPath(const char* name) { return Path(name).toStdString(); }
    static inline QTemporaryDir* s_dir = nullptr;
};

TEST_F(CompareDemo, OneChangedPixelIsNamedWithItsRegionAndAcceptMakesAllSame) {
    for (const char* fresh : {"new", "png"}) {
        const CliRun same = RunCliTool({"compare", Path("approved"), Path(fresh)});
        EXPECT_EQ(same.status, 0) << same.out << same.err;
        EXPECT_EQ(same.out, "compared 70 pairs: 70 same, 0 different, 0 added, 0 removed\n");
    }

    ChangePixel(FsPath("new") / "s-spectrum-01-fr.bmp", 640, 400);
    ChangePixel(FsPath("new") / "t-measure-00-en.bmp", 1279, 0);
    // One picture only in NEW, and missing from APPROVED's index, which --accept must restore.
    fs::remove(FsPath("approved") / "c-measure-00-fr.bmp");
    nlohmann::json index = ReadJson(FsPath("approved") / "index.json");
    auto& pictures = index["pictures"];
    pictures.erase(std::remove_if(pictures.begin(), pictures.end(),
                                  [](const auto& e) { return e["file"] == "c-measure-00-fr.bmp"; }),
                   pictures.end());
    for (auto& text : index["fit"]["texts"]) {
        auto& named = text["pictures"];
        named.erase(std::remove(named.begin(), named.end(), "c-measure-00-fr.bmp"), named.end());
    }
    std::ofstream(FsPath("approved") / "index.json") << index.dump(2);
    fs::remove(FsPath("approved") / "index.html");

    const CliRun changed = RunCliTool({"compare", Path("approved"), Path("new"), "--accept"});
    EXPECT_EQ(changed.status, 0) << changed.err;
    const std::string approved = FsPath("approved").string() + "/";
    EXPECT_EQ(changed.out,
              "added c-measure-00-fr.bmp\n"
              "different s-spectrum-01-fr.bmp: 1 pixel in 1 area of the spectrum screen (plot)\n"
              "  1x1 at 640,400: plot\n"
              "different t-measure-00-en.bmp: 1 pixel in 1 area of the measure screen (battery)\n"
              "  1x1 at 1279,0: battery\nadded " +
                  approved + "c-measure-00-fr.bmp\nreplaced " + approved +
                  "s-spectrum-01-fr.bmp\nreplaced " + approved + "t-measure-00-en.bmp\nupdated " +
                  approved + "index.json\nupdated " + approved +
                  "index.html\ncompared 69 pairs: 67 same, 2 different, 1 added, 0 removed\n");
    EXPECT_EQ(ReadFile(FsPath("approved") / "t-measure-00-en.bmp"),
              ReadFile(FsPath("new") / "t-measure-00-en.bmp"));
    const auto sortedIndex = [](const fs::path& path) {
        nlohmann::json listed = ReadJson(path)["pictures"];
        std::sort(listed.begin(), listed.end(),
                  [](const auto& a, const auto& b) { return a["file"] < b["file"]; });
        return listed;
    };
    EXPECT_EQ(sortedIndex(FsPath("approved") / "index.json"),
              sortedIndex(FsPath("new") / "index.json"));
    // The fit report names the added picture where its lock word is cut.
    const auto sortedFit = [](const fs::path& path) {
        nlohmann::json texts = ReadJson(path)["fit"]["texts"];
        for (auto& text : texts) std::sort(text["pictures"].begin(), text["pictures"].end());
        return texts;
    };
    EXPECT_EQ(sortedFit(FsPath("approved") / "index.json"), sortedFit(FsPath("new") / "index.json"));
    EXPECT_EQ(ReadFile(FsPath("approved") / "index.html"), ReadFile(FsPath("new") / "index.html"));

    const CliRun after = RunCliTool({"compare", Path("approved"), Path("new")});
    EXPECT_EQ(after.status, 0) << after.out;
}

// A folder holding one BMP and a batch's index takes the PNG batch whole: the PNG of the BMP's
// name in its place, and the index and contact sheet of the PNG batch.
TEST_F(CompareDemo, AcceptedPngsTakeTheBmpsPlaceAndTheIndexListsThem) {
    const fs::path mixed = FsPath("mixed");
    fs::create_directories(mixed);
    fs::copy(FsPath("new") / "index.json", mixed / "index.json");
    fs::copy(FsPath("new") / "s-measure-00-en.bmp", mixed / "s-measure-00-en.bmp");
    ChangePixel(mixed / "s-measure-00-en.bmp", 20, 30);
    const CliRun accepted = RunCliTool({"compare", QtPath(mixed), Path("png"), "--accept"});
    EXPECT_EQ(accepted.status, 0) << accepted.err;
    EXPECT_NE(accepted.out.find("replaced " + (mixed / "s-measure-00-en.bmp").string() + " with " +
                                (mixed / "s-measure-00-en.png").string() + "\n"),
              std::string::npos)
        << accepted.out;
    EXPECT_FALSE(fs::exists(mixed / "s-measure-00-en.bmp"));
    EXPECT_EQ(ReadJson(mixed / "index.json"), ReadJson(FsPath("png") / "index.json"));
    EXPECT_EQ(ReadFile(mixed / "index.html"), ReadFile(FsPath("png") / "index.html"));
    EXPECT_EQ(RunCliTool({"compare", QtPath(mixed), Path("png")}).status, 0);

    // A folder no batch wrote gets no index.
    fs::create_directories(FsPath("bare"));
    EXPECT_EQ(RunCliTool({"compare", Path("bare"), Path("png"), "--accept"}).status, 0);
    EXPECT_FALSE(fs::exists(FsPath("bare") / "index.json"));
}

// The approved side a changed BMP, the new one the PNG with its notes.
TEST_F(CompareDemo, ReportPageShowsTheChangedAreaAndEveryPictureDecodes) {
    const fs::path changed = FsPath("changed") / "s-measure-00-en.bmp";
    fs::create_directories(changed.parent_path());
    fs::copy(FsPath("new") / "s-measure-00-en.bmp", changed);
    ChangePixel(changed, 100, 600);
    const fs::path report = FsPath("report");
    const QStringList compared = {"compare", QtPath(changed), Path("png") + "/s-measure-00-en.png",
                                  "-o", Path("report")};
    EXPECT_EQ(RunCliTool(compared).status, 1);
    // The change lies in an ignored region; the first run's pictures go with it.
    const CliRun ignored = RunCliTool(compared + QStringList{"--ignore", "battery, quality bar"});
    EXPECT_EQ(ignored.status, 0) << ignored.out;
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(report))
        files.push_back(entry.path().lexically_relative(report).string());
    std::ranges::sort(files);
    EXPECT_EQ(files, (std::vector<std::string>{"index.html", "report.json"}));

    EXPECT_EQ(RunCliTool(compared).status, 1);
    const nlohmann::json json = ReadJson(report / "report.json");
    EXPECT_EQ(json["pairs"][0]["areas"][0]["regions"], nlohmann::json({"quality bar"}));
    EXPECT_EQ(json["summary"]["different"], 1);

    const std::string dom = BrowserDom(report / "index.html");
    const std::regex image("<img class=\"(\\w+)\" src=\"([^\"]+)\"[^>]*data-width=\"1280\"");
    std::vector<std::string> shown;
    for (auto it = std::sregex_iterator(dom.begin(), dom.end(), image);
         it != std::sregex_iterator(); ++it) {
        shown.push_back((*it)[1].str() + " " + (*it)[2].str());
    }
    EXPECT_EQ(shown,
              (std::vector<std::string>{
                  "new new/s-measure-00-en.png", "approved approved/s-measure-00-en.bmp",
                  "new new/s-measure-00-en.png", "difference difference/s-measure-00-en.diff.png",
                  "zoomed approved/s-measure-00-en.bmp", "zoomed new/s-measure-00-en.png"}))
        << dom;
    EXPECT_EQ(dom.find(" missing\""), std::string::npos);
    for (const char* expected :
         {"<p class=\"entry\">Satellite &gt; Satellite Finding · Astra 19.2E 11778 V</p>",
          "<span class=\"area\" style=\"left:7.812%;top:83.33%;width:0.07812%;height:0.1389%\">",
          "<span class=\"area\" style=\"left:112px;top:112px;width:14px;height:14px\">",
          "<p>1x1 at 100,600: quality bar</p>", "<a href=\"new/s-measure-00-en.png\">"}) {
        EXPECT_NE(dom.find(expected), std::string::npos) << expected << "\n" << dom;
    }
}

TEST(CompareCli, BadInputIsNamedAndLeavesApprovedAlone) {
    TemporaryFolder dir;
    const fs::path& root = dir.path();
    fs::create_directories(root / "a");
    fs::create_directories(root / "b");
    std::vector<std::uint8_t> good(54 + 4, 0);
    good[0] = 'B', good[1] = 'M', good[10] = 54, good[14] = 40, good[18] = 1, good[22] = 1,
    good[26] = 1, good[28] = 32;
    WriteFile(root / "a" / "p.bmp", good);
    WriteFile(root / "b" / "p.bmp", std::vector<std::uint8_t>(good.begin(), good.begin() + 56));
    const QString a = QtPath(root / "a");
    const QString b = QtPath(root / "b");
    const struct {
        QStringList arguments;
        int status;
        std::string message;
    } cases[] = {
        {{a, b, "--accept"}, 1, (root / "b" / "p.bmp").string() + ": BMP is truncated"},
        {{a, b, "--ignore", "plot,dial"}, 2, "no screen has a region named 'dial'"},
        {{a, b + "/p.bmp"}, 2, "cannot compare a folder with a file"},
        {{a, b, "--crop", "10"}, 2, "--crop wants X,Y"},
        {{a, b, "--crop", "4,x"}, 2, "--crop wants X,Y"},
        {{a, b, "--tolerance", "256"}, 2, "--tolerance"},
        {{a, b + "/none"}, 1, "no such file or folder"},
        {{a}, 2, "APPROVED and NEW are required"},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCliTool(QStringList{"compare"} + c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments.join(' ').toStdString();
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    EXPECT_EQ(ReadFile(root / "a" / "p.bmp"), good);
    EXPECT_EQ(RunCliTool({"compare", a, a, "--crop", "0,0"}).status, 0);

    // A compared picture of no known screen has no regions to leave out; an added one was not
    // compared at all.
    fs::create_directories(root / "c");
    std::vector<std::uint8_t> changed = good;
    changed[54] = 0xFF;
    WriteFile(root / "c" / "p.bmp", changed);
    WriteFile(root / "c" / "q.bmp", good);
    const CliRun ignored = RunCliTool({"compare", a, QtPath(root / "c"), "--ignore", "plot"});
    EXPECT_EQ(ignored.status, 1);
    EXPECT_NE(ignored.err.find("p.bmp: screen unknown, so --ignore left nothing out"),
              std::string::npos)
        << ignored.err;
    EXPECT_EQ(ignored.err.find("q.bmp: screen unknown"), std::string::npos) << ignored.err;
}

// A new side without an index: the approved entry of a picture that changed kind follows it to
// its new name, and a picture that had failed is there now. A removed picture is kept, status 1.
TEST(CompareCli, AcceptKeepsTheApprovedIndexInStepWithoutANewIndex) {
    TemporaryFolder dir;
    const fs::path a = dir.path() / "a", b = dir.path() / "b";
    fs::create_directories(a);
    fs::create_directories(b);
    WriteFile(a / "p.bmp", BmpBytes(PatternPicture(2, 2), 24, false));
    WriteFile(a / "index.json",
              std::string(R"({"pictures":[{"file":"p.bmp","entryName":"kept"}],)") +
                  R"("failed":[{"file":"q.bmp","error":"icon 7 could not be loaded"}]})");
    WriteFile(b / "p.png", PngBytes(PatternPicture(2, 3), false));
    WriteFile(b / "q.png", PngBytes(PatternPicture(1, 1), false));
    const CliRun accepted = RunCliTool({"compare", QtPath(a), QtPath(b), "--accept"});
    EXPECT_EQ(accepted.status, 0) << accepted.err;
    EXPECT_EQ(ReadJson(a / "index.json"),
              nlohmann::json::parse(R"({"pictures":[{"file":"p.png","entryName":"kept"}],
                                        "failed":[]})"));
    EXPECT_TRUE(fs::exists(a / "index.html"));

    WriteFile(a / "r.bmp", BmpBytes(PatternPicture(1, 1), 24, false));
    const CliRun removed = RunCliTool({"compare", QtPath(a), QtPath(b), "--accept"});
    EXPECT_EQ(removed.status, 1);
    EXPECT_NE(removed.err.find("removed pictures stay in"), std::string::npos) << removed.err;
}

}  // namespace
}  // namespace quorvel::test
