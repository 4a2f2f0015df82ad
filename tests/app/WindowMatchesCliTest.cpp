// The window's File > Save and the command-line tool give the same file for the same state.
#include <gtest/gtest.h>

#include "cli/ScreenRender.h"
#include "data/SourceFile.h"
#include "tests/app/WindowTest.h"

namespace quorvel {
namespace {

class WindowMatchesCliTest : public test::WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        m_dialog->OpenSourceFile(QStringLiteral(QUORVEL_SOURCE_DIR "/samples/demo.dat"));
        ASSERT_TRUE(m_warnings.isEmpty());
    }

    // Saves the window's screen and returns the file's bytes.
    QByteArray SaveWindow() {
        Screen()->repaint();
        m_dialog->SaveScreenAsBmp(Path("window.bmp"));
        return test::ReadAll(Path("window.bmp"));
    }

    // Writes the picture the command line makes for `request` and returns the file's bytes.
    QByteArray SaveCli(const cli::ScreenRequest& request) {
        SourceRecord record;
        if (LoadSourceFile(QUORVEL_SOURCE_DIR "/samples/demo.dat", record) != LoadOutcome::Loaded)
            return {};
        const auto catalogue = cli::CatalogueFor(record, request.dvbType);
        const bool written =
            cli::WritePicture(cli::RenderScreen(*catalogue, request).image, cli::PictureFormat::Bmp,
                              QFile::encodeName(Path("cli.bmp")).toStdString())
                .ok;
        return written ? test::ReadAll(Path("cli.bmp")) : QByteArray();
    }
};

TEST_F(WindowMatchesCliTest, TerrestrialSpectrumWithMovedScaleAndCursor) {
    Action("actionDvbT")->trigger();
    Press(Qt::Key_Left);  // Measure -> Spectrum
    ASSERT_EQ(State().category, Category::Spectrum);
    Press(Qt::Key_Up, 2);
    QTest::mouseMove(Screen(), QPoint(598, 300));
    QTest::mouseMove(Screen(), QPoint(600, 300));
    ASSERT_EQ(State().cursorX, 600);

    cli::ScreenRequest request;
    request.dvbType = DvbType::Terrestrial;
    request.screen = Category::Spectrum;
    request.referenceLevel = 50;
    request.cursorX = 600;
    const QByteArray window = SaveWindow();
    ASSERT_EQ(window.size(), 3'686'454);
    EXPECT_TRUE(window == SaveCli(request));
}

TEST_F(WindowMatchesCliTest, FrenchConstellationMoreViewOfTheSecondEntry) {
    Action("actionFrench")->trigger();
    Press(Qt::Key_Right);  // Measure -> Constellation
    QComboBox* list = List("constellationList");
    ASSERT_GE(list->count(), 2);
    list->setCurrentIndex(1);  // a pick in the list, as the user's mouse makes it
    Screen()->repaint();
    Press(Qt::Key_F1);
    ASSERT_TRUE(State().showMore);

    cli::ScreenRequest request;
    request.screen = Category::Constellation;
    request.position = 1;
    request.language = Language::French;
    request.more = true;
    const QByteArray window = SaveWindow();
    ASSERT_EQ(window.size(), 3'686'454);
    EXPECT_TRUE(window == SaveCli(request));
}

}  // namespace
}  // namespace quorvel
