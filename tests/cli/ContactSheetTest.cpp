// The contact sheet as a reader uses it in a real browser: its summary, its contents' anchors,
// and its filters by language, DVB type, screen and cut texts, set from the page's address.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <set>

#include "CliProcess.h"

namespace quorvel::test {
namespace {

// The ids of the pictures the page shows, once its scripts ran.
std::set<std::string> ShownPictures(const std::string& dom) {
    std::set<std::string> shown;
    const std::regex figure("<figure id=\"([^\"]+)\"([^>]*)>");
    for (auto match = std::sregex_iterator(dom.begin(), dom.end(), figure);
         match != std::sregex_iterator(); ++match) {
        if ((*match)[2].str().find(" hidden") == std::string::npos) shown.insert((*match)[1]);
    }
    return shown;
}

class ContactSheet : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        s_folder = new TemporaryFolder;
        const CliRun run = RunCliTool(BatchInto(s_folder->path()) +
                                      QStringList{"--dvb", "s,t", "--format", "png"});
        ASSERT_EQ(run.status, 0) << run.err;
        s_index = new nlohmann::json(ReadJson(*s_folder / "index.json"));
    }
    static void TearDownTestSuite() {
        delete s_index;
        delete s_folder;
    }

    // The index's pictures for which `keep` holds.
    template <typename Keep>
    static std::set<std::string> Listed(Keep keep) {
        std::set<std::string> files;
        for (const auto& entry : (*s_index)["pictures"]) {
            if (keep(entry)) files.insert(entry["file"]);
        }
        return files;
    }

    static std::string Page(const std::string& address) {
        return BrowserDom(*s_folder / "index.html", address);
    }

    static inline TemporaryFolder* s_folder = nullptr;
    static inline nlohmann::json* s_index = nullptr;
};

TEST_F(ContactSheet, SumsUpTheBatchAndAnchorsEachSourceDvbTypeScreenAndPicture) {
    const std::string dom = Page("#eager");
    const std::set<std::string> all = Listed([](const auto&) { return true; });
    std::size_t cutTexts = 0;
    for (const auto& entry : (*s_index)["pictures"]) cutTexts += entry["clippedTexts"].size();
    const std::size_t cutPictures =
        Listed([](const auto& entry) { return !entry["clippedTexts"].empty(); }).size();
    ASSERT_GT(cutTexts, 0u) << "the demo file cuts the French lock word";
    EXPECT_NE(dom.find("<p id=\"summary\">" + std::to_string(all.size()) + " pictures · " +
                       std::to_string(cutTexts) + " cut texts in " + std::to_string(cutPictures) +
                       " pictures · scale 1 · demo.dat SHA-256 <code>" + DemoSha256() +
                       "</code></p>"),
              std::string::npos);
    EXPECT_NE(dom.find(std::to_string(all.size()) + " of " + std::to_string(all.size()) +
                       " pictures shown"),
              std::string::npos);
    EXPECT_EQ(ShownPictures(dom), all);
    for (const std::string anchor : {"source", "DVB-S", "DVB-T", "s-measure", "t-spectrum",
                                      "t-constellation", "t-constellation-more"}) {
        EXPECT_EQ(Count(dom, "id=\"" + anchor + "\""), 1u) << anchor;
        EXPECT_EQ(Count(dom, "<a href=\"#" + anchor + "\">"), 1u) << anchor;
    }
    for (const std::string& file : all) {
        EXPECT_EQ(Count(dom, "<a href=\"#" + file + "\">" + file + "</a>"), 1u) << file;
    }
    EXPECT_EQ(Count(dom, "data-decoded=\"1280\""), all.size());
    // The badge sits in the caption beside the title, not over the picture.
    EXPECT_EQ(Count(dom, "</span><span class=\"badge\">text cut</span></figcaption>"), cutPictures);
    EXPECT_EQ(Count(dom, "<span class=\"badge\">"), cutPictures);
}

TEST_F(ContactSheet, FiltersShowOnlyThePicturesThatMatchEveryChoice) {
    const std::string frenchCuts = Page("?language=fr&dvb=DVB-T&cut=1");
    const std::set<std::string> expected = Listed([](const auto& entry) {
        return entry["language"] == "fr" && entry["dvbType"] == "DVB-T" &&
               !entry["clippedTexts"].empty();
    });
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(ShownPictures(frenchCuts), expected);
    const std::string total = std::to_string((*s_index)["pictures"].size());
    EXPECT_NE(frenchCuts.find(std::to_string(expected.size()) + " of " + total + " pictures shown"),
              std::string::npos);
    // Groups and contents lines left with nothing to show are hidden too.
    EXPECT_NE(frenchCuts.find("<section id=\"DVB-S\" hidden=\"\">"), std::string::npos);
    EXPECT_NE(frenchCuts.find("<li data-for=\"t-spectrum\" hidden=\"\">"), std::string::npos);
    EXPECT_EQ(frenchCuts.find("<section id=\"t-measure\" hidden"), std::string::npos);
    const auto measures = std::count_if(expected.begin(), expected.end(), [](const std::string& file) {
        return file.starts_with("t-measure-");
    });
    ASSERT_GT(measures, 0);
    EXPECT_NE(frenchCuts.find("<a href=\"#t-measure\">measure</a> (<span class=\"count\">" +
                              std::to_string(measures) + "</span>)"),
              std::string::npos);

    const std::set<std::string> moreViews =
        Listed([](const auto& entry) { return entry["screen"] == "constellation-more"; });
    ASSERT_FALSE(moreViews.empty());
    EXPECT_EQ(ShownPictures(Page("?screen=constellation-more")), moreViews);
    const std::set<std::string> english =
        Listed([](const auto& entry) { return entry["language"] == "en"; });
    EXPECT_EQ(ShownPictures(Page("?language=en")), english);
}

}  // namespace
}  // namespace quorvel::test
