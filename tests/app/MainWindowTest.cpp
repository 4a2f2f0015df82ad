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

#include "app/HelpTexts.h"
#include "app/QuorvelApplication.h"
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

    // The checked Language and DVB Type choices.
    QStringList Checked() const {
        QStringList checked;
        for (const char* name :
             {"actionEnglish", "actionFrench", "actionDvbS", "actionDvbT", "actionDvbC"}) {
            if (Action(name)->isChecked()) checked << name;
        }
        return checked;
    }

    QComboBox* MeasureList() const { return List("measureList"); }
    QComboBox* ConstellationList() const { return List("constellationList"); }
    QComboBox* SpectrumList() const { return List("spectrumList"); }
};

TEST_F(MainWindowTest, StartsBlackWithAnEmptyHelpLineAndTheDefaultMenuChoices) {
    EXPECT_EQ(m_dialog->windowTitle(), "Quorvel");
    EXPECT_EQ(State().category, Category::None);
    EXPECT_EQ(HelpLine(), "");
    EXPECT_EQ(Checked(), (QStringList{"actionEnglish", "actionDvbS"}));
    for (const QComboBox* list : m_dialog->Lists()) EXPECT_EQ(list->count(), 0);
    const QImage screen = PaintedScreen();
    ASSERT_EQ(screen.size(), QSize(1280, 720));
    EXPECT_TRUE(AllBlack(screen));
    EXPECT_EQ(Screen()->geometry().topLeft(), QPoint(0, 0));
}

TEST_F(MainWindowTest, MenusHaveTheirExactEntries) {
    QList<QStringList> menus;  // each menu's title, then its entries
    for (QAction* popup : m_dialog->findChild<QMenuBar*>()->actions()) {
        QStringList texts{popup->text()};
        for (QAction* entry : popup->menu()->actions()) texts << entry->text();
        menus << texts;
    }
    EXPECT_EQ(menus, (QList<QStringList>{{"&File", "&Open", "&Reload", "&Save"},
                                         {"&Edit", "&Copy"},
                                         {"&View", "&Zoom"},
                                         {"&Language", "English", "French"},
                                         {"&DVB Type", "DVB-S", "DVB-T", "DVB-C"},
                                         {"&Help", "&About Quorvel..."}}));
}

TEST_F(MainWindowTest, ArrowKeysSwitchFamiliesFocusTheirListAndNoKeyReachesIt) {
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

    // A focused list would move its selection on DOWN; the filter keeps the key from it. Escape,
    // Enter and Tab neither close the window nor move the focus.
    for (Qt::Key key :
         {Qt::Key_Down, Qt::Key_End, Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Tab}) {
        Press(key);
        EXPECT_TRUE(m_dialog->isVisible()) << key;
        EXPECT_TRUE(SpectrumList()->hasFocus()) << key;
    }
    EXPECT_EQ(SpectrumList()->currentIndex(), 0);
    EXPECT_EQ(State().category, Category::Spectrum);
}

TEST_F(MainWindowTest, KeysDoNotMoveInsideAnOpenedList) {
    Open(test::FullSatelliteFile());
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
    Wheel(MeasureList(), 60);  // half a notch
    EXPECT_EQ(MeasureList()->currentIndex(), 1);
    Wheel(MeasureList(), 60);
    EXPECT_EQ(MeasureList()->currentIndex(), 0);

    Press(Qt::Key_Right);
    Press(Qt::Key_F1);
    Wheel(ConstellationList(), -120);
    EXPECT_EQ(ConstellationList()->currentIndex(), 1);
    EXPECT_FALSE(State().showMore);
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
    Action("actionFrench")->trigger();
    Action("actionFrench")->trigger();
    EXPECT_EQ(Checked(), (QStringList{"actionFrench", "actionDvbS"}));

    Press(Qt::Key_Left);
    Action("actionDvbT")->trigger();
    EXPECT_EQ(Checked(), (QStringList{"actionFrench", "actionDvbT"}));
    EXPECT_EQ(Names("measureList"), QStringList{"M-Ter"});
    EXPECT_EQ(Names("spectrumList"), QStringList{"S-Ter"});
    EXPECT_TRUE(MeasureList()->hasFocus());
    EXPECT_EQ(HelpLine(), help::kMeasure);
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
    Action("actionOpen")->trigger();
    EXPECT_EQ(Names("measureList"), QStringList{"Chosen"});

    QuorvelApplication::ScheduleOpen(*m_dialog, QFile::encodeName(named("AtStart")));
    EXPECT_EQ(Names("measureList"), QStringList{"Chosen"});  // only once the event loop runs
    QTest::qWait(0);
    QCoreApplication::processEvents();
    EXPECT_EQ(Names("measureList"), QStringList{"AtStart"});
    EXPECT_TRUE(m_warnings.isEmpty());
    QuorvelApplication::ScheduleOpen(*m_dialog, QFile::encodeName(Path("missing.dat")));
    QCoreApplication::processEvents();
    EXPECT_EQ(m_warnings, QStringList{"Open false! \n" + Path("missing.dat")});

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

}  // namespace
}  // namespace quorvel
