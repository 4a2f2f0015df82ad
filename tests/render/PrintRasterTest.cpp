// The print raster against the screen it enlarges: fills and icons are the pixel repeat's, texts
// are drawn anew at the larger size, smooth, where the screen puts them.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>

#include "data/SourceFile.h"
#include "render/PrintFont.h"
#include "render/PrintRaster.h"
#include "render/ScreenLayout.h"
#include "render/ScreenPainter.h"

namespace quorvel {
namespace {

// The sample file's Satellite Finding screen, as the window shows it after loading the file.
class SampleScreen {
  public:
    SampleScreen() {
        auto record = std::make_unique<SourceRecord>();
        EXPECT_EQ(LoadSourceFile(QUORVEL_SOURCE_DIR "/samples/demo.dat", *record),
                  LoadOutcome::Loaded);
        RebuildCatalogue(*record, DvbType::Satellite, m_catalogue);
        m_pass.state.dvbType = DvbType::Satellite;
        SelectAfterRebuild(m_pass.state, m_catalogue);
        m_pass.state.category = Category::Measure;
    }

    // Each screen pixel as a `scale` by `scale` block.
    QImage Repeated(int scale) const {
        QImage screen = NewScreenImage();
        PaintScreen(screen, {&kWholeScreen, 1}, m_pass.state, m_catalogue);
        return screen.scaled(screen.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }

    QImage Smooth(int scale) const {
        const PrintPicture picture = PrintRaster({&m_pass, 1}, m_catalogue, scale);
        EXPECT_TRUE(picture.missingIcons.empty());
        return picture.image;
    }

  private:
    Catalogue m_catalogue;
    ScreenPass m_pass;
};

QRect Scaled(IntRect rect, int scale) {
    return QRect(rect.x * scale, rect.y * scale, rect.w * scale, rect.h * scale);
}

// The bounds of the pixels in `area` that differ from its top left one.
QRect InkBounds(const QImage& image, const QRect& area) {
    const QRgb background = image.pixel(area.topLeft());
    QRect ink;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixel(x, y) != background) ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

// Whether `block` holds more than one colour.
bool Uneven(const QImage& image, const QRect& block) {
    for (int y = block.top(); y <= block.bottom(); ++y) {
        for (int x = block.left(); x <= block.right(); ++x) {
            if (image.pixel(x, y) != image.pixel(block.topLeft())) return true;
        }
    }
    return false;
}

TEST(PrintRaster, FillsAndIconsAreThePixelRepeatsOfTheScreen) {
    ASSERT_FALSE(PrintFont().family.isEmpty()) << qPrintable(PrintFont().error);
    const SampleScreen screen;
    // No text reaches these: rules, both bars with their tracks, the badges and the battery,
    // the empty panel at the foot.
    const IntRect untexted[] = {kTitleRule,
                                satellite_finding::kBandTopRule,
                                measure::kBottomRule,
                                {satellite_finding::kBarsX, satellite_finding::kStrengthBarY,
                                 measure::kTrackWidth, measure::kTrackHeight},
                                {satellite_finding::kBarsX, satellite_finding::kQualityBarY,
                                 measure::kTrackWidth, measure::kTrackHeight},
                                {1000, 0, 280, 78},
                                {0, 642, kScreenWidth, 78}};
    for (int scale : {2, 3}) {
        SCOPED_TRACE(scale);
        const QImage smooth = screen.Smooth(scale);
        const QImage repeated = screen.Repeated(scale);
        ASSERT_EQ(smooth.size(), QSize(kScreenWidth * scale, kScreenHeight * scale));
        for (const IntRect& rect : untexted) {
            const QRect area = Scaled(rect, scale);
            EXPECT_TRUE(smooth.copy(area) == repeated.copy(area))
                << rect.x << "," << rect.y << " " << rect.w << "x" << rect.h;
        }
    }
}

// A font drawn without smoothing has no pixel between its colour and the background's, and a
// text drawn at the screen's size and then enlarged has each screen pixel in one colour; each of
// these texts has hundreds of both. Drawn one screen pixel off, or at another size, its ink would
// move by `scale` picture pixels or more.
TEST(PrintRaster, TextsAreSmoothAtTheLargerSizeWhereTheScreenPutsThem) {
    ASSERT_FALSE(PrintFont().family.isEmpty()) << qPrintable(PrintFont().error);
    const SampleScreen screen;
    struct Text {
        IntRect box;  // on the screen, around the text and nothing else
        QRgb colour;
    };
    // The title on the grey panel, a readout label and its value, and the large lock word.
    const Text texts[] = {{{40, 10, 480, 60}, palette::kBlack},
                          {{520, 445, 110, 50}, palette::kBlack},
                          {{640, 445, 80, 50}, palette::kValueOrange},
                          {{120, 350, 300, 110}, palette::kGreen}};
    for (int scale : {2, 3}) {
        const QImage smooth = screen.Smooth(scale);
        const QImage repeated = screen.Repeated(scale);
        for (const Text& text : texts) {
            SCOPED_TRACE("scale " + std::to_string(scale) + ", text at " +
                         std::to_string(text.box.x) + "," + std::to_string(text.box.y));
            const QRect area = Scaled(text.box, scale);
            const QRect drawn = InkBounds(smooth, area);
            const QRect placed = InkBounds(repeated, area);
            for (const auto& [a, b] : {std::pair{drawn.left(), placed.left()},
                                       {drawn.top(), placed.top()},
                                       {drawn.right(), placed.right()},
                                       {drawn.bottom(), placed.bottom()}}) {
                EXPECT_LT(std::abs(a - b), scale) << a << " against " << b;
            }
            const QRgb background = smooth.pixel(area.topLeft());
            int between = 0;
            int unevenBlocks = 0;
            for (int y = area.top(); y <= area.bottom(); ++y) {
                for (int x = area.left(); x <= area.right(); ++x) {
                    const QRgb pixel = smooth.pixel(x, y);
                    between += pixel != background && pixel != text.colour;
                    if ((x - area.left()) % scale != 0 || (y - area.top()) % scale != 0) continue;
                    unevenBlocks += Uneven(smooth, QRect(x, y, scale, scale));
                }
            }
            EXPECT_GT(between, 100);
            EXPECT_GT(unevenBlocks, 100);
        }
    }
}

// What --smooth says when it cannot draw: the file, and whether it is missing or another one.
TEST(PrintFont, AMissingOrOtherFileIsNamedInsteadOfAFamily) {
    const QString missingPath = QStringLiteral("/nonexistent/LiberationSans-Regular.ttf");
    const LoadedFont missing = LoadPinnedFont(missingPath);
    EXPECT_TRUE(missing.family.isEmpty());
    EXPECT_EQ(missing.error, QStringLiteral("cannot read ") + missingPath);
    // From fonts-dejavu-core, which scripts/deps installs.
    const QString otherPath = QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
    const LoadedFont other = LoadPinnedFont(otherPath);
    EXPECT_TRUE(other.family.isEmpty());
    EXPECT_TRUE(other.error.startsWith(otherPath + " is not the pinned Liberation Sans file"))
        << qPrintable(other.error);
}

}  // namespace
}  // namespace quorvel
