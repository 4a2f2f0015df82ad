// File > Save through the real window: the file holds the screen for the current state, exactly
// the command line's picture of that state, shown or hidden, and a cancelled save writes nothing.
#include <gtest/gtest.h>

#include <QDir>

#include "cli/ScreenRender.h"
#include "data/SourceFile.h"
#include "tests/app/WindowTest.h"

namespace quorvel {
namespace {

class WindowSaveTest : public test::WindowTest {
  protected:
    void SaveThroughMenu(const QString& path) {
        m_dialog->SetSavePathChooser([path] { return path; });
        Action("actionSave")->trigger();
    }

    // The picture the command line writes for `request` of the sample file.
    QByteArray CliPicture(const cli::ScreenRequest& request) {
        SourceRecord record;
        if (LoadSourceFile(QUORVEL_SOURCE_DIR "/samples/demo.dat", record) != LoadOutcome::Loaded)
            return {};
        const auto catalogue = cli::CatalogueFor(record, request.dvbType);
        const QImage picture = cli::RenderScreen(*catalogue, request).image;
        const std::string path = test::LocalPath(Path("cli.bmp"));
        return cli::WritePicture(picture, cli::PictureFormat::Bmp, path).ok
                   ? test::ReadAll(Path("cli.bmp"))
                   : QByteArray();
    }
};

TEST_F(WindowSaveTest, StartIsBlackAnExistingFileIsReplacedAndCancellingWritesNothing) {
    m_dialog->SetSavePathChooser([] { return QString(); });
    Action("actionSave")->trigger();
    EXPECT_TRUE(QDir(m_dir.path()).isEmpty());

    test::WriteFile(test::LocalPath(Path("Trovik.bmp")), QByteArray("an older picture"));
    SaveThroughMenu(Path("Trovik.bmp"));
    const QByteArray file = test::ReadAll(Path("Trovik.bmp"));
    ASSERT_EQ(file.size(), 3'686'454);
    EXPECT_EQ(file.left(2), "BM");
    EXPECT_EQ(file.mid(54).count('\0'), 3'686'400);
    EXPECT_TRUE(m_warnings.isEmpty());
}

// A hidden or minimised window gets no paint events; its save must still hold its current state,
// partial repaints (F1's band, a pointer's strips, UP's scale) included.
TEST_F(WindowSaveTest, HiddenWindowSavesWhatTheCommandLineDrawsForItsState) {
    m_dialog->OpenSourceFile(QStringLiteral(QUORVEL_SOURCE_DIR "/samples/demo.dat"));
    ASSERT_TRUE(m_warnings.isEmpty());
    m_dialog->hide();

    Action("actionFrench")->trigger();
    m_dialog->OnKeyDown(Qt::Key_Right);  // Measure -> Constellation
    List("constellationList")->setCurrentIndex(1);
    m_dialog->OnKeyDown(Qt::Key_F1);
    ASSERT_TRUE(State().showMore);
    m_dialog->SaveScreen(Path("more.bmp"));
    EXPECT_TRUE(test::ReadAll(Path("more.bmp")) == CliPicture({.screen = Category::Constellation,
                                                               .position = 1,
                                                               .language = Language::French,
                                                               .more = true}));

    Action("actionDvbT")->trigger();
    m_dialog->OnKeyDown(Qt::Key_Left);  // Measure -> Spectrum
    m_dialog->OnKeyDown(Qt::Key_Up);
    m_dialog->OnKeyDown(Qt::Key_Up);
    MovePointer({598, 300});
    MovePointer({600, 300});
    ASSERT_EQ(State().cursorX, 600);
    m_dialog->SaveScreen(Path("spectrum.bmp"));
    const QByteArray saved = test::ReadAll(Path("spectrum.bmp"));
    ASSERT_EQ(saved.size(), 3'686'454);
    EXPECT_TRUE(saved == CliPicture({.dvbType = DvbType::Terrestrial,
                                     .screen = Category::Spectrum,
                                     .language = Language::French,
                                     .referenceLevel = 50,
                                     .cursorX = 600}));
    EXPECT_TRUE(m_warnings.isEmpty());
}

}  // namespace
}  // namespace quorvel
