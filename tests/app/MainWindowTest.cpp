// The main window driven by real key, mouse, wheel, drop and menu events on the offscreen platform.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QToolTip>
#include <QUrl>

#include "app/QuorvelApplication.h"
#include "app/HelpTexts.h"
#include "tests/app/WindowTest.h"

namespace quorvel {
namespace {

using test::SourceFileBuilder;

constexpr QRgb kBlack = 0xFF000000;

bool AllBlack(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != kBlack) return false;
        }
    }
    return true;
}

class MainWindowTest : public test::WindowTest {
  protected:
    void Open(const SourceFileBuilder& file) {
        m_dialog->OpenSourceFile(Write(file));
        ASSERT_TRUE(m_warnings.isEmpty()) << m_warnings.join('|').toStdString();
    }
    void Wheel(QWidget* over, int angle) {
        const QPointF at(over->width() / 2.0, over->height() / 2.0);
        QWheelEvent event(at, over->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(over, &event);
    }

    QComboBox* MeasureList() const { return List("measureList"); }
    QComboBox* ConstellationList() const { return List("constellationList"); }
    QComboBox* SpectrumList() const { return List("spectrumList"); }
};

TEST_F(MainWindowTest, StartsBlackWithAnEmptyHelpLineAndTheDefaultMenuChoices) {
    EXPECT_EQ(m_dialog->windowTitle(), "Quorvel");
    EXPECT_EQ(State().category, Category::None);
    EXPECT_EQ(HelpLine(), "");
    EXPECT_TRUE(Action("actionEnglish")->isChecked());
    EXPECT_FALSE(Action("actionFrench")->isChecked());
    EXPECT_TRUE(Action("actionDvbS")->isChecked());
    EXPECT_FALSE(Action("actionDvbT")->isChecked());
    EXPECT_FALSE(Action("actionDvbC")->isChecked());
    for (const QComboBox* list : m_dialog->Lists()) EXPECT_EQ(list->count(), 0);
    const QImage screen = PaintedScreen();
    ASSERT_EQ(screen.size(), QSize(1280, 720));
    EXPECT_TRUE(AllBlack(screen));
    EXPECT_EQ(Screen()->geometry().topLeft(), QPoint(0, 0));
}

TEST_F(MainWindowTest, MenusHaveTheirExactEntries) {
    QStringList popups;
    QList<QStringList> entries;
    for (QAction* popup : m_dialog->findChild<QMenuBar*>()->actions()) {
        popups << popup->text();
        QStringList texts;
        for (QAction* entry : popup->menu()->actions()) texts << entry->text();
        entries << texts;
    }
    EXPECT_EQ(popups, (QStringList{"&File", "&Edit", "&View", "&Language", "&DVB Type", "&Help"}));
    ASSERT_EQ(entries.size(), 6);
    EXPECT_EQ(entries[0], (QStringList{"&Open", "&Reload", "&Save"}));
    EXPECT_EQ(entries[1], (QStringList{"&Copy"}));
    EXPECT_EQ(entries[2], (QStringList{"&Zoom"}));
    EXPECT_EQ(entries[3], (QStringList{"English", "French"}));
    EXPECT_EQ(entries[4], (QStringList{"DVB-S", "DVB-T", "DVB-C"}));
    EXPECT_EQ(entries[5], (QStringList{"&About Quorvel..."}));
}

TEST_F(MainWindowTest, ArrowKeysSwitchFamiliesFocusTheirListAndNeverReachIt) {
    Open(test::FullSatelliteFile());
    EXPECT_EQ(State().category, Category::Measure);
    EXPECT_TRUE(MeasureList()->hasFocus());
    EXPECT_EQ(HelpLine(), help::kMeasure);

    ConstellationList()->setCurrentIndex(1);  // a user pick
    Press(Qt::Key_Right);
    EXPECT_EQ(State().category, Category::Constellation);
    EXPECT_TRUE(ConstellationList()->hasFocus());
    EXPECT_EQ(ConstellationList()->currentIndex(), 0);
    EXPECT_EQ(HelpLine(), help::kConstellation);

    Press(Qt::Key_Right);
    EXPECT_EQ(State().category, Category::Spectrum);
    EXPECT_TRUE(SpectrumList()->hasFocus());
    EXPECT_EQ(HelpLine(), help::kSpectrum);

    // A focused list would move its selection on DOWN; the filter keeps the key from it.
    Press(Qt::Key_Down);
    Press(Qt::Key_End);
    EXPECT_EQ(SpectrumList()->currentIndex(), 0);
}

TEST_F(MainWindowTest, UpAndDownShiftTheScaleWithinItsLimits) {
    Open(test::FullSatelliteFile());
    Press(Qt::Key_Left);
    ASSERT_EQ(State().category, Category::Spectrum);
    Press(Qt::Key_Up, 8);
    EXPECT_EQ(State().referenceLevel, 75);
    Press(Qt::Key_Down, 7);
    EXPECT_EQ(State().referenceLevel, 40);
    Press(Qt::Key_Down, 9);
    EXPECT_EQ(State().referenceLevel, 0);
}

TEST_F(MainWindowTest, EscapeEnterAndTabDoNothing) {
    Open(test::FullSatelliteFile());
    QWidget* focused = QApplication::focusWidget();
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Tab}) {
        Press(key);
        EXPECT_TRUE(m_dialog->isVisible()) << key;
        EXPECT_EQ(QApplication::focusWidget(), focused) << key;
    }
    EXPECT_EQ(State().category, Category::Measure);
}

TEST_F(MainWindowTest, KeysDoNotMoveInsideAnOpenedList) {
    SourceFileBuilder file = test::FullSatelliteFile();
    Open(file);
    QComboBox* list = MeasureList();
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
    EXPECT_EQ(State().category, Category::Constellation);
    EXPECT_TRUE(ConstellationList()->hasFocus());
    QTest::mouseClick(Screen(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(State().category, Category::Constellation);
    EXPECT_EQ(HelpLine(), help::kConstellation);
}

TEST_F(MainWindowTest, ArrowsStayOffAnEmptyListButClosingItShowsABlackScreen) {
    SourceFileBuilder file;
    file.Add(EntryKind::Measure, 0, DvbType::Satellite, "M");
    Open(file);
    Press(Qt::Key_Left);
    EXPECT_EQ(State().category, Category::Measure);
    EXPECT_TRUE(MeasureList()->hasFocus());
    EXPECT_FALSE(AllBlack(PaintedScreen()));
    ConstellationList()->showPopup();
    EXPECT_EQ(State().category, Category::Constellation);
    EXPECT_EQ(HelpLine(), help::kMeasure);
    EXPECT_TRUE(AllBlack(PaintedScreen()));
}

TEST_F(MainWindowTest, WheelNotchesWalkTheCurrentList) {
    Open(test::FullSatelliteFile());
    Wheel(Screen(), -120);
    EXPECT_EQ(State().measureSelection, 1);
    EXPECT_EQ(MeasureList()->currentIndex(), 1);
    Wheel(Screen(), -120);  // already the last name
    EXPECT_EQ(MeasureList()->currentIndex(), 1);
    Wheel(MeasureList(), 60);  // half a notch
    EXPECT_EQ(MeasureList()->currentIndex(), 1);
    Wheel(MeasureList(), 60);
    EXPECT_EQ(MeasureList()->currentIndex(), 0);

    Press(Qt::Key_Right);
    Press(Qt::Key_F1);
    Wheel(ConstellationList(), -120);
    EXPECT_EQ(ConstellationList()->currentIndex(), 1);
    EXPECT_FALSE(State().showMore);
    EXPECT_EQ(MeasureList()->currentIndex(), 0);
}

TEST_F(MainWindowTest, PointerMovesTheSpectrumCursorAndTheTipReadsItInBlue) {
    Open(test::FullSatelliteFile());
    QTest::mouseMove(Screen(), QPoint(400, 300));
    EXPECT_EQ(State().cursorX, 101);  // not on the Spectrum screen

    Press(Qt::Key_Left);
    PaintedScreen();
    EXPECT_EQ(m_dialog->Navigation().CursorTipText(), "[ 950MHz : 40dBuV ]");

    QTest::mouseMove(Screen(), QPoint(500, 300));
    EXPECT_EQ(State().cursorX, 500);
    const QImage screen = PaintedScreen();
    // 950 to 2150 MHz in 10 MHz steps: 7-pixel columns, so x 500 reads sample 57.
    EXPECT_EQ(m_dialog->Navigation().CursorTipText(), "[ 1520MHz : 40dBuV ]");
    EXPECT_NE(screen.pixel(500, 100), kBlack);  // the orange column over the black plot
    EXPECT_EQ(screen.pixel(505, 100), kBlack);

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

TEST_F(MainWindowTest, RepeatedMenuChoicesDoNothingAndDvbTypeRebuilds) {
    Open(test::FullSatelliteFile());
    MeasureList()->setCurrentIndex(1);
    Action("actionDvbS")->trigger();
    EXPECT_EQ(MeasureList()->currentIndex(), 1);
    EXPECT_TRUE(Action("actionDvbS")->isChecked());

    Action("actionFrench")->trigger();
    Action("actionFrench")->trigger();
    EXPECT_TRUE(Action("actionFrench")->isChecked());
    EXPECT_FALSE(Action("actionEnglish")->isChecked());

    Press(Qt::Key_Left);
    Action("actionDvbT")->trigger();
    EXPECT_TRUE(Action("actionDvbT")->isChecked());
    EXPECT_FALSE(Action("actionDvbS")->isChecked());
    EXPECT_EQ(Names("measureList"), QStringList{"M-Ter"});
    EXPECT_EQ(Names("spectrumList"), QStringList{"S-Ter"});
    EXPECT_TRUE(MeasureList()->hasFocus());
    EXPECT_EQ(HelpLine(), help::kMeasure);
}

TEST_F(MainWindowTest, FileOpenAsksForAPathAndCancellingChangesNothing) {
    QString answer;
    m_dialog->SetOpenPathChooser([&answer] { return answer; });
    Action("actionOpen")->trigger();
    EXPECT_EQ(State().category, Category::None);
    EXPECT_TRUE(m_warnings.isEmpty());

    answer = Write(test::FullSatelliteFile());
    Action("actionOpen")->trigger();
    EXPECT_EQ(State().category, Category::Measure);
    EXPECT_EQ(MeasureList()->count(), 2);
}

TEST_F(MainWindowTest, TheFileNamedAtStartOpensLikeFileOpen) {
    const QString path = Write(test::FullSatelliteFile());
    QuorvelApplication::ScheduleOpen(*m_dialog, QFile::encodeName(path));
    EXPECT_EQ(State().category, Category::None);  // only once the event loop runs
    QTest::qWait(0);
    QCoreApplication::processEvents();
    EXPECT_EQ(State().category, Category::Measure);

    QuorvelApplication::ScheduleOpen(*m_dialog, QFile::encodeName(Path("missing.dat")));
    QCoreApplication::processEvents();
    EXPECT_EQ(m_warnings, QStringList{"Open false! \n" + Path("missing.dat")});
}

TEST_F(MainWindowTest, DroppingASourceFileOpensIt) {
    const QString path = Write(test::FullSatelliteFile());
    QMimeData text;
    text.setUrls({QUrl::fromLocalFile(Path("notes.txt"))});
    QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_dialog.get(), &refused);
    EXPECT_FALSE(refused.isAccepted());

    QMimeData source;
    source.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &source, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_dialog.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &source, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_dialog.get(), &drop);
    EXPECT_EQ(State().category, Category::Measure);
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

}  // namespace
}  // namespace quorvel
