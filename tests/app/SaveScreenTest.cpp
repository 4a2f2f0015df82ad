// File > Save from the real window: the file holds the screen exactly as last painted.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "export/BmpEncoder.h"
#include "tests/app/WindowTest.h"

namespace quorvel {
namespace {

using test::ReadAll;

// Pixel (x, y) of a bottom-up 32-bit BMP as 0xRRGGBB.
QRgb BmpPixel(const QByteArray& file, int x, int y) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(file.constData()) + kBmpHeaderSize +
                    (static_cast<std::size_t>(719 - y) * 1280 + static_cast<std::size_t>(x)) * 4;
    return qRgb(p[2], p[1], p[0]) & 0xFFFFFF;
}

class SaveScreenTest : public test::WindowTest {
  protected:
    void SaveThroughMenu(const QString& path) {
        m_dialog->SetSavePathChooser([path] { return path; });
        Action("actionSave")->trigger();
    }
};

TEST_F(SaveScreenTest, SavingRightAfterStartWritesABlackPicture) {
    Screen()->repaint();
    SaveThroughMenu(Path("Trovik.bmp"));
    const QByteArray file = ReadAll(Path("Trovik.bmp"));
    ASSERT_EQ(file.size(), 3'686'454);
    EXPECT_EQ(file.left(2), "BM");
    EXPECT_EQ(file.mid(54).count('\0'), 3'686'400);
    EXPECT_TRUE(m_warnings.isEmpty());
}

TEST_F(SaveScreenTest, FileHoldsTheScreenAsPaintedIncludingPartialRepaints) {
    test::SourceFileBuilder source;
    source.Add(EntryKind::Spectrum, 0, DvbType::Satellite, "Sweep").Sweep(0, 950, 2150, 52);
    m_dialog->OpenSourceFile(Write(source, "sweep.dat"));
    ASSERT_EQ(m_dialog->Navigation().State().category, Category::Spectrum);
    Screen()->repaint();
    m_dialog->SaveScreenAsBmp(Path("before.bmp"));

    // A pointer move repaints two narrow strips only: the old and the new cursor column.
    // The platform sends no move event when the pointer already rests at the target.
    QTest::mouseMove(Screen(), QPoint(450, 300));
    QTest::mouseMove(Screen(), QPoint(500, 300));
    Screen()->repaint();
    ASSERT_EQ(m_dialog->Navigation().State().cursorX, 500);
    ASSERT_TRUE(m_warnings.isEmpty());
    m_dialog->SaveScreenAsBmp(Path("after.bmp"));

    const QByteArray before = ReadAll(Path("before.bmp"));
    const QByteArray after = ReadAll(Path("after.bmp"));
    ASSERT_EQ(after.size(), 3'686'454);
    const QImage& screen = m_dialog->ScreenImage();
    for (int x : {100, 101, 102, 449, 450, 451, 498, 499, 500, 501, 502, 700}) {
        EXPECT_EQ(BmpPixel(after, x, 600), screen.pixel(x, 600) & 0xFFFFFF) << "x " << x;
    }
    EXPECT_NE(BmpPixel(before, 500, 600), BmpPixel(after, 500, 600));
    EXPECT_NE(BmpPixel(before, 101, 600), BmpPixel(after, 101, 600));
    EXPECT_EQ(BmpPixel(before, 700, 600), BmpPixel(after, 700, 600));
    EXPECT_TRUE(m_warnings.isEmpty());
}

TEST_F(SaveScreenTest, ExistingFileIsReplacedWithoutAQuestion) {
    QFile old(Path("screen.bmp"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an older picture");
    old.close();
    Screen()->repaint();
    SaveThroughMenu(Path("screen.bmp"));
    EXPECT_EQ(ReadAll(Path("screen.bmp")).size(), 3'686'454);
    EXPECT_TRUE(m_warnings.isEmpty());
}

TEST_F(SaveScreenTest, CancelledDialogWritesNothing) {
    m_dialog->SetSavePathChooser([] { return QString(); });
    Action("actionSave")->trigger();
    EXPECT_TRUE(QDir(m_dir.path()).isEmpty());
    EXPECT_TRUE(m_warnings.isEmpty());
}

}  // namespace
}  // namespace quorvel
