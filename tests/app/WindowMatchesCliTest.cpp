// The window's File > Save and the command-line tool give the same file for the same state.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/CPreviewDlg.h"
#include "cli/ScreenRender.h"
#include "data/SourceFile.h"

namespace quorvel {
namespace {

const QString kDemo = QStringLiteral(QUORVEL_SOURCE_DIR "/samples/demo.dat");

class WindowMatchesCliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_dialog = std::make_unique<CPreviewDlg>();
        m_dialog->SetWarningSink([this](const QString& text) { m_warnings << text; });
        m_dialog->show();
        m_dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_dialog.get()));
        m_dialog->OpenSourceFile(kDemo);
        ASSERT_TRUE(m_warnings.isEmpty());
    }

    void Press(Qt::Key key, int times = 1) {
        for (int i = 0; i < times; ++i) {
            QWidget* target = QApplication::focusWidget();
            QTest::keyClick(target ? target : m_dialog.get(), key);
        }
    }
    void Trigger(const char* action) { m_dialog->findChild<QAction*>(action)->trigger(); }
    QWidget* Screen() const { return m_dialog->findChild<QWidget*>("screen"); }

    // Saves the window's screen and returns the file's bytes.
    QByteArray SaveWindow() {
        Screen()->repaint();
        const QString path = m_dir.filePath(QStringLiteral("window.bmp"));
        m_dialog->SaveScreenAsBmp(path);
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Writes the picture the command line makes for `request` and returns the file's bytes.
    QByteArray SaveCli(const cli::ScreenRequest& request) {
        SourceRecord record;
        if (LoadSourceFile(QUORVEL_SOURCE_DIR "/samples/demo.dat", record) != LoadOutcome::Loaded)
            return {};
        const auto catalogue = cli::CatalogueFor(record, request.dvbType);
        const QString path = m_dir.filePath(QStringLiteral("cli.bmp"));
        if (!cli::WritePicture(cli::RenderScreen(*catalogue, request).image,
                               cli::PictureFormat::Bmp, QFile::encodeName(path).toStdString(),
                               Durability::ProtectExisting)
                 .ok) {
            return {};
        }
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir m_dir;
    std::unique_ptr<CPreviewDlg> m_dialog;
    QStringList m_warnings;
};

TEST_F(WindowMatchesCliTest, TerrestrialSpectrumWithMovedScaleAndCursor) {
    Trigger("actionDvbT");
    Press(Qt::Key_Left);  // Measure -> Spectrum
    ASSERT_EQ(m_dialog->Navigation().State().category, Category::Spectrum);
    Press(Qt::Key_Up, 2);
    QTest::mouseMove(Screen(), QPoint(598, 300));
    QTest::mouseMove(Screen(), QPoint(600, 300));
    ASSERT_EQ(m_dialog->Navigation().State().cursorX, 600);

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
    Trigger("actionFrench");
    Press(Qt::Key_Right);  // Measure -> Constellation
    QComboBox* list = m_dialog->findChild<QComboBox*>("constellationList");
    ASSERT_GE(list->count(), 2);
    list->setCurrentIndex(1);  // a pick in the list, as the user's mouse makes it
    Screen()->repaint();
    Press(Qt::Key_F1);
    ASSERT_TRUE(m_dialog->Navigation().State().showMore);

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
