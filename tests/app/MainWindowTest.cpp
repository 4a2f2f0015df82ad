// The main window's wiring, driven by real key, mouse, wheel, drop and menu events on the offscreen
// platform: events reach the navigation model, its outcome reaches the widgets and what is painted
// is what is saved. The rules themselves are the model's own tests'.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QDir>
#include <QMimeData>
#include <QPushButton>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QToolTip>
#include <QUrl>

#include "app/QuorvelApplication.h"
#include "cli/ScreenRender.h"
#include "data/SourceFile.h"
#include "navigation/HelpTexts.h"
#include "tests/app/WindowTest.h"

namespace quorvel {
namespace {

using test::SourceFileBuilder;

class MainWindowTest : public test::WindowTest {
  protected:
    void Wheel(QWidget* over, int angle) {
        const QPointF at(over->width() / 2.0, over->height() / 2.0);
        QWheelEvent event(at, over->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(over, &event);
    }

    // The screen the command line draws for `request` of the sample file.
    QImage CliScreen(const ScreenRequest& request) {
        SourceRecord record;
        EXPECT_EQ(LoadSourceFile(QUORVEL_SOURCE_DIR "/samples/demo.dat", record),
                  LoadOutcome::Loaded);
        return cli::RenderScreen(*CatalogueFor(record, request.dvbType), request).image;
    }
};

TEST_F(MainWindowTest, StartsBlackAndEmptyAndSaveReplacesTheChosenFileOrWritesNothing) {
    EXPECT_EQ(m_dialog->windowTitle(), "Quorvel");
    EXPECT_EQ(HelpLine(), "");
    EXPECT_TRUE(Action("actionEnglish")->isChecked() && Action("actionDvbS")->isChecked());
    EXPECT_EQ(Names("measureList") + Names("constellationList") + Names("spectrumList"),
              QStringList());
    EXPECT_EQ(Screen()->geometry().topLeft(), QPoint(0, 0));

    QString answer;
    m_dialog->SetSavePathChooser([&answer] { return answer; });
    Action("actionSave")->trigger();  // cancelled
    EXPECT_TRUE(QDir(m_dir.path()).isEmpty());
    test::WriteFile(test::LocalPath(Path("Trovik.bmp")), QByteArray("an older picture"));
    answer = Path("Trovik.bmp");
    QTest::keyClick(m_dialog.get(), Qt::Key_S, Qt::ControlModifier);
    const QByteArray file = test::ReadAll(Path("Trovik.bmp"));
    ASSERT_EQ(file.size(), 3'686'454);  // a 1280 by 720 black screen
    EXPECT_EQ(file.left(2), "BM");
    EXPECT_EQ(file.mid(54).count('\0'), 3'686'400);
    EXPECT_TRUE(m_warnings.isEmpty());
}

TEST_F(MainWindowTest, KeysWheelAndDvbTypeReachTheModelWhoseChoiceMovesFocusListsAndHelpLine) {
    Open(test::FullSatelliteFile());
    EXPECT_EQ(Focused(), "measureList");
    EXPECT_EQ(HelpLine(), help::kMeasure);

    List("constellationList")->setCurrentIndex(1);  // a user pick, which entering resets
    Press(Qt::Key_Right);
    EXPECT_EQ(Focused(), "constellationList");
    EXPECT_EQ(List("constellationList")->currentIndex(), 0);
    EXPECT_EQ(HelpLine(), help::kConstellation);

    Press(Qt::Key_Right);
    // A focused list would move its selection on DOWN; the filter keeps the key from it. Escape,
    // Enter and Tab neither close the window nor move the focus.
    for (Qt::Key key :
         {Qt::Key_Down, Qt::Key_End, Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Tab}) {
        Press(key);
        EXPECT_TRUE(m_dialog->isVisible()) << key;
        EXPECT_EQ(Focused(), "spectrumList") << key;
    }
    EXPECT_EQ(List("spectrumList")->currentIndex(), 0);
    EXPECT_EQ(State().category, Category::Spectrum);

    Wheel(Screen(), -120);
    EXPECT_EQ(List("spectrumList")->currentIndex(), 1);
    Wheel(List("spectrumList"), 60);  // half a notch
    EXPECT_EQ(List("spectrumList")->currentIndex(), 1);
    Wheel(List("spectrumList"), 60);
    EXPECT_EQ(List("spectrumList")->currentIndex(), 0);

    Action("actionDvbT")->trigger();
    EXPECT_EQ(Names("measureList") + Names("constellationList") + Names("spectrumList"),
              (QStringList{"M-Ter", "C-Ter", "S-Ter"}));
    EXPECT_EQ(Focused(), "measureList");
    EXPECT_EQ(HelpLine(), help::kMeasure);
}

TEST_F(MainWindowTest, AnOpenedListKeepsItsLineAndClosingAnEmptyListShowsItsBlackScreen) {
    Open(test::FullSatelliteFile());
    QComboBox* list = List("measureList");
    list->showPopup();
    QWidget* popup = list->view()->window();
    ASSERT_TRUE(popup->isVisible());
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_PageDown, Qt::Key_M, Qt::Key_Return}) {
        QTest::keyClick(list->view(), key);
    }
    EXPECT_TRUE(popup->isVisible());
    EXPECT_EQ(list->view()->currentIndex().row(), 0);
    EXPECT_EQ(list->currentIndex(), 0);

    // Navigation keys still act while the list is open, and close it before the focus moves:
    // its close-up never brings the old screen back.
    QTest::keyClick(list->view(), Qt::Key_Right);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_EQ(Focused(), "constellationList");
    QTest::mouseClick(Screen(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(State().category, Category::Constellation);

    SourceFileBuilder measureOnly;
    measureOnly.Add(EntryKind::Measure, 0, DvbType::Satellite, "M");
    Open(measureOnly);
    EXPECT_FALSE(test::AllBlack(PaintedScreen()));
    List("constellationList")->showPopup();
    EXPECT_EQ(State().category, Category::Constellation);
    EXPECT_TRUE(test::AllBlack(PaintedScreen()));
}

TEST_F(MainWindowTest, PointerMovesTheSpectrumCursorAndTheTipReadsItInBlue) {
    Open(test::FullSatelliteFile());
    Press(Qt::Key_Left);
    QTest::mouseMove(Screen(), QPoint(500, 300));
    EXPECT_EQ(State().cursorX, 500);
    const QImage screen = PaintedScreen();
    // 950 to 2150 MHz in 10 MHz steps: 7-pixel columns, so x 500 reads sample 57.
    EXPECT_EQ(m_dialog->Navigation().CursorTipText(), "[ 1520MHz : 40dBuV ]");
    EXPECT_NE(screen.pixel(500, 100), qRgb(0, 0, 0));  // the orange column over the black plot
    EXPECT_EQ(screen.pixel(505, 100), qRgb(0, 0, 0));

    QHelpEvent tip(QEvent::ToolTip, QPoint(500, 300), Screen()->mapToGlobal(QPoint(500, 300)));
    QApplication::sendEvent(Screen(), &tip);
    ASSERT_TRUE(QToolTip::isVisible());
    const QString shown = QTextDocumentFragment::fromHtml(QToolTip::text()).toPlainText();
    EXPECT_EQ(shown.simplified().replace(QChar(0xA0), ' '), "[ 1520MHz : 40dBuV ]");
    EXPECT_TRUE(QToolTip::text().contains("#0000ff"));

    Press(Qt::Key_Left);
    EXPECT_FALSE(QToolTip::isVisible());
    QApplication::sendEvent(Screen(), &tip);
    EXPECT_FALSE(QToolTip::isVisible());
}

TEST_F(MainWindowTest, FileOpenTheFileNamedAtStartAndADropEachLoadTheirFile) {
    const auto named = [this](const char* name) {
        SourceFileBuilder file;
        file.Add(EntryKind::Measure, 0, DvbType::Satellite, name);
        return Write(file, QString::fromLatin1(name) + ".dat");
    };
    QString answer;
    m_dialog->SetOpenPathChooser([&answer] { return answer; });
    Action("actionOpen")->trigger();  // cancelled
    EXPECT_EQ(State().category, Category::None);
    answer = named("Chosen");
    QTest::keyClick(m_dialog.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(Names("measureList"), QStringList{"Chosen"});
    EXPECT_EQ(m_dialog->windowTitle(), "Chosen.dat - Quorvel");

    QuorvelApplication::ScheduleOpen(*m_dialog, QFile::encodeName(named("AtStart")));
    EXPECT_EQ(Names("measureList"), QStringList{"Chosen"});  // only once the event loop runs
    QTest::qWait(0);
    QCoreApplication::processEvents();
    EXPECT_EQ(Names("measureList"), QStringList{"AtStart"});
    EXPECT_TRUE(m_warnings.isEmpty());

    QMimeData text, source;
    text.setUrls({QUrl::fromLocalFile(Path("notes.txt"))});
    source.setUrls({QUrl::fromLocalFile(named("Dropped"))});
    QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &source, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_dialog.get(), &refused);
    QApplication::sendEvent(m_dialog.get(), &enter);
    EXPECT_FALSE(refused.isAccepted());
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &source, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_dialog.get(), &drop);
    EXPECT_EQ(Names("measureList"), QStringList{"Dropped"});
}

TEST_F(MainWindowTest, AboutBoxShowsNameAndVersionAndClosesWithOk) {
    Open(test::FullSatelliteFile());
    QString title, text;
    QTimer::singleShot(0, [&] {
        QWidget* about = QApplication::activeModalWidget();
        ASSERT_NE(about, nullptr);
        title = about->windowTitle();
        for (QLabel* label : about->findChildren<QLabel*>()) text += label->text();
        // Keys belong to the About box, not to the main window's navigation.
        QTest::keyClick(about, Qt::Key_Right);
        about->findChild<QPushButton*>()->click();
    });
    Action("actionAbout")->trigger();
    EXPECT_EQ(title, "About Quorvel");
    EXPECT_TRUE(text.contains("Quorvel Version 1.2"));
    EXPECT_EQ(State().category, Category::Measure);
}

// A hidden or minimised window gets no paint events; its save must still hold its current state,
// partial repaints (F1's band, a pointer's strips, UP's scale) included.
TEST_F(MainWindowTest, HiddenWindowSavesWhatTheCommandLineDrawsForItsState) {
    m_dialog->OpenSourceFile(QStringLiteral(QUORVEL_SOURCE_DIR "/samples/demo.dat"));
    ASSERT_TRUE(m_warnings.isEmpty());
    m_dialog->hide();

    Action("actionFrench")->trigger();
    m_dialog->OnKeyDown(Qt::Key_Right);  // Measure -> Constellation
    List("constellationList")->setCurrentIndex(1);
    m_dialog->OnKeyDown(Qt::Key_F1);
    ASSERT_TRUE(State().showMore);
    m_dialog->SaveScreen(Path("more.bmp"));
    EXPECT_EQ(QImage(Path("more.bmp")), CliScreen({.screen = Category::Constellation,
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
    EXPECT_EQ(QImage(Path("spectrum.bmp")), CliScreen({.dvbType = DvbType::Terrestrial,
                                                       .screen = Category::Spectrum,
                                                       .language = Language::French,
                                                       .referenceLevel = 50,
                                                       .cursorX = 600}));
    EXPECT_TRUE(m_warnings.isEmpty());
}

}  // namespace
}  // namespace quorvel
