// The fit report's entries from a batch's outcomes: one per text, box size, font size and
// language, each picture named once, failed pictures left out, everything at the batch's scale.
#include <gtest/gtest.h>

#include "figures/BatchIndex.h"
#include "figures/FitReport.h"

namespace quorvel::cli {
namespace {

PictureOutcome Picture(std::string file, Language language, std::vector<UnfitText> unfit,
                       std::string failure = {}) {
    PictureOutcome picture;
    picture.planned.fileName = std::move(file);
    picture.planned.request.language = language;
    picture.failure = std::move(failure);
    picture.unfit = std::move(unfit);
    return picture;
}

TEST(FitReport, OneEntryPerCutTextAndLanguageInThePicturesPixels) {
    const UnfitText lock{u"bloquer", {490, 375, 300, 150}, u"bloqu", TextId::Lock, 100, 333.5};
    const UnfitText unlock{u"UNLOCK", {490, 375, 300, 150}, u"UNLO", TextId::Unlock, 100, 416.5};
    UnfitText name{u"Astra 19.2E", {660, 103, 560, 60}, u"Astra", std::nullopt, 35, 170.25};
    UnfitText lowerLock = lock;
    lowerLock.box.y = 500;  // the same size elsewhere on the screen
    const std::vector<PictureOutcome> pictures = {
        Picture("t-measure-00-fr.png", Language::French, {lock, name, lowerLock}),
        Picture("t-measure-01-fr.png", Language::French, {lock}, "disk full"),
        Picture("t-measure-03-en.png", Language::English, {unlock, name}),
        Picture("t-measure-03-fr.png", Language::French, {unlock}),
    };
    const FitReport report = CollectFitReport(pictures, 3);
    EXPECT_EQ(report.scale, 3);

    struct Expected {
        const char* id;
        Language language;
        const char* english;
        double needed, width, height;
        int font;
        const char* picture;
    };
    // A text from the file is its own English; its id is its 32-bit FNV-1a hash.
    const Expected expected[] = {
        {"text-29", Language::French, "LOCK", 1000.5, 900, 450, 300, "t-measure-00-fr.png"},
        {"file-dcad0f4f", Language::French, "Astra 19.2E", 510.75, 1680, 180, 105,
         "t-measure-00-fr.png"},
        {"text-30", Language::English, "UNLOCK", 1249.5, 900, 450, 300, "t-measure-03-en.png"},
        {"file-dcad0f4f", Language::English, "Astra 19.2E", 510.75, 1680, 180, 105,
         "t-measure-03-en.png"},
        {"text-30", Language::French, "UNLOCK", 1249.5, 900, 450, 300, "t-measure-03-fr.png"},
    };
    ASSERT_EQ(report.entries.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const FitEntry& entry = report.entries[i];
        const Expected& want = expected[i];
        SCOPED_TRACE(std::to_string(i) + " " + entry.text);
        EXPECT_EQ(entry.id, want.id);
        EXPECT_EQ(entry.language, want.language);
        EXPECT_EQ(entry.english, want.english);
        EXPECT_EQ(std::vector<double>({entry.neededWidth, entry.boxWidth, entry.boxHeight}),
                  std::vector<double>({want.needed, want.width, want.height}));
        EXPECT_EQ(entry.fontSize, want.font);
        EXPECT_EQ(entry.pictures, std::vector<std::string>{want.picture});
    }
}

}  // namespace
}  // namespace quorvel::cli
