#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "compare/CompareRun.h"
#include "compare/PictureBytes.h"
#include "compare/PictureDecoder.h"

namespace quorvel::compare {
namespace {

namespace fs = std::filesystem;

void WriteFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

// A window screenshot: the screen at (7, 5) inside a larger picture with other pixels around it.
TEST(CompareRun, CropFindsTheScreenInsideALargerPicture) {
    const fs::path folder = fs::path(testing::TempDir()) / "compare-crop";
    const Picture screen = test::PatternPicture(10, 8);
    Picture window = test::PatternPicture(30, 20);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 10; ++x) window.pixels[(y + 5) * 30 + x + 7] = screen.At(x, y);
    }
    WriteFile(folder / "screen.bmp", test::BmpBytes(screen, 24, false));
    WriteFile(folder / "window.png", test::PngBytes(window, false));
    const PicturePair pair{"window.png", folder / "screen.bmp", folder / "window.png"};

    CompareSettings settings;
    EXPECT_EQ(ComparePair(pair, settings).verdict, Verdict::SizeDiffers);
    settings.crop = IntPoint{7, 5};
    const PairResult cropped = ComparePair(pair, settings);
    EXPECT_EQ(cropped.verdict, Verdict::Same) << cropped.error;
    EXPECT_EQ(cropped.newWidth, 10);
    EXPECT_EQ(cropped.newHeight, 8);
    settings.crop = IntPoint{7, 6};
    EXPECT_EQ(ComparePair(pair, settings).verdict, Verdict::Different);
    // The last offset that fits, and one past it.
    settings.crop = IntPoint{20, 12};
    EXPECT_EQ(ComparePair(pair, settings).verdict, Verdict::Different);
    settings.crop = IntPoint{21, 12};
    const PairResult outside = ComparePair(pair, settings);
    EXPECT_EQ(outside.verdict, Verdict::Unreadable);
    EXPECT_NE(outside.error.find("window.png: a 10 by 8 crop at 21,12 falls outside the 30 by 20"),
              std::string::npos)
        << outside.error;

    // A crop that keeps the width: the report shows the cut picture, not the whole file.
    WriteFile(folder / "tall.bmp", test::BmpBytes(test::PatternPicture(10, 11), 24, false));
    settings.crop = IntPoint{0, 3};
    settings.pictureFolder = folder / "report";
    const PairResult shown =
        ComparePair({"tall.bmp", folder / "tall.bmp", folder / "screen.bmp"}, settings);
    ASSERT_EQ(shown.verdict, Verdict::Different) << shown.error;
    EXPECT_EQ(ReadPicture(folder / "report" / shown.approvedPicture).picture.pixels.size(), 80u);
}

// Pictures pair by relative path without the extension: a BMP and a PNG of the same pixels are
// the same; of two on one side, the PNG is compared and the other named as passed over.
TEST(CompareRun, FoldersPairByRelativePathWithoutTheExtension) {
    const fs::path root = fs::path(testing::TempDir()) / "compare-pairs";
    fs::remove_all(root);
    const std::vector<std::uint8_t> bytes = test::BmpBytes(test::PatternPicture(4, 4), 24, false);
    for (const char* name :
         {"a/both.bmp", "a/sub/both.png", "a/gone.bmp", "b/both.bmp", "b/sub/both.png", "b/new.BMP",
          "b/notes.txt", "b/report/x.bmp", "a/kind.bmp", "a/twice.bmp", "b/twice.bmp"}) {
        WriteFile(root / name, bytes);
    }
    WriteFile(root / "b" / "kind.png", test::PngBytes(test::PatternPicture(4, 4), true));
    WriteFile(root / "b" / "twice.PNG", test::PngBytes(test::PatternPicture(4, 5), false));
    const PairListing listing = PairFolders(root / "a", root / "b", root / "b" / "report");
    ASSERT_TRUE(listing.error.empty()) << listing.error;
    EXPECT_EQ(listing.skipped,
              std::vector<std::string>{(root / "b" / "twice.bmp").string() + ": " +
                                       (root / "b" / "twice.PNG").string() +
                                       " has the same name and is compared instead"});
    const std::vector<PairResult> results = CompareAll(listing.pairs, {}, 2);
    std::vector<std::pair<std::string, Verdict>> seen;
    for (const PairResult& result : results) seen.emplace_back(result.pair.name, result.verdict);
    EXPECT_EQ(seen,
              (std::vector<std::pair<std::string, Verdict>>{{"both.bmp", Verdict::Same},
                                                            {"gone.bmp", Verdict::Removed},
                                                            {"kind.png", Verdict::Same},
                                                            {"new.BMP", Verdict::Added},
                                                            {"sub/both.png", Verdict::Same},
                                                            {"twice.PNG", Verdict::SizeDiffers}}));
}

}  // namespace
}  // namespace quorvel::compare
