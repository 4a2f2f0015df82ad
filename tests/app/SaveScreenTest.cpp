// File > Save from the real window: the file holds the screen exactly as last painted.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QCursor>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/CPreviewDlg.h"
#include "export/BmpEncoder.h"
#include "tests/app/SourceFiles.h"

namespace quorvel {
namespace {

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Pixel (x, y) of a bottom-up 32-bit BMP as 0xRRGGBB.
QRgb BmpPixel(const QByteArray& file, int x, int y) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(file.constData()) + kBmpHeaderSize +
                    (static_cast<std::size_t>(719 - y) * 1280 + static_cast<std::size_t>(x)) * 4;
    return qRgb(p[2], p[1], p[0]) & 0xFFFFFF;
}

class SaveScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dialog = std::make_unique<CPreviewDlg>();
        m_dialog->SetWarningSink([this](const QString& text) { m_warnings << text; });
        m_dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_dialog.get()));
    }

    QString Path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    QWidget* Screen() const { return m_dialog->findChild<QWidget*>("screen"); }
    void Paint() const { Screen()->repaint(); }
    void SaveThroughMenu(const QString& path) {
        m_dialog->SetSavePathChooser([path] { return path; });
        m_dialog->findChild<QAction*>("actionSave")->trigger();
    }

    QTemporaryDir m_dir;
    std::unique_ptr<CPreviewDlg> m_dialog;
    QStringList m_warnings;
};

TEST_F(SaveScreenTest, SavingRightAfterStartWritesABlackPicture) {
    Paint();
    SaveThroughMenu(Path("Trovik.bmp"));
    const QByteArray file = ReadFile(Path("Trovik.bmp"));
    ASSERT_EQ(file.size(), 3'686'454);
    EXPECT_EQ(file.left(2), "BM");
    EXPECT_EQ(file.mid(54).count('\0'), 3'686'400);
    EXPECT_TRUE(m_warnings.isEmpty());
}

TEST_F(SaveScreenTest, FileHoldsTheScreenAsPaintedIncludingPartialRepaints) {
    test::SourceFileBuilder source;
    source.Add(EntryKind::Spectrum, 0, DvbType::Satellite, "Sweep").Sweep(0, 950, 2150, 52);
    source.Write(Path("sweep.dat").toStdString());
    m_dialog->OpenSourceFile(Path("sweep.dat"));
    ASSERT_EQ(m_dialog->Navigation().State().category, Category::Spectrum);
    Paint();
    m_dialog->SaveScreenAsBmp(Path("before.bmp"));

    // A pointer move repaints two narrow strips only: the old and the new cursor column.
    // The platform sends no move event when the pointer already rests at the target.
    QTest::mouseMove(Screen(), QPoint(450, 300));
    QTest::mouseMove(Screen(), QPoint(500, 300));
    Paint();
    ASSERT_EQ(m_dialog->Navigation().State().cursorX, 500);
    ASSERT_TRUE(m_warnings.isEmpty());
    m_dialog->SaveScreenAsBmp(Path("after.bmp"));

    const QByteArray before = ReadFile(Path("before.bmp"));
    const QByteArray after = ReadFile(Path("after.bmp"));
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
    Paint();
    SaveThroughMenu(Path("screen.bmp"));
    EXPECT_EQ(ReadFile(Path("screen.bmp")).size(), 3'686'454);
    EXPECT_TRUE(m_warnings.isEmpty());
}

TEST_F(SaveScreenTest, FailureNamesThePathAndTheReasonAndKeepsRunning) {
    Paint();
    const QString path = Path("missing-folder/screen.bmp");
    SaveThroughMenu(path);
    ASSERT_EQ(m_warnings.size(), 1);
    EXPECT_TRUE(m_warnings[0].contains(path)) << m_warnings[0].toStdString();
    EXPECT_TRUE(m_warnings[0].contains("No such file or directory")) << m_warnings[0].toStdString();
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(m_dialog->isVisible());
}

TEST_F(SaveScreenTest, CancelledDialogWritesNothing) {
    m_dialog->SetSavePathChooser([] { return QString(); });
    m_dialog->findChild<QAction*>("actionSave")->trigger();
    EXPECT_TRUE(QDir(m_dir.path()).isEmpty());
    EXPECT_TRUE(m_warnings.isEmpty());
}

}  // namespace
}  // namespace quorvel
