// The window as an authoring tool: JSON dumps open, edits on disk show up with the place kept,
// failures go to the status line, Copy, PNG, zoom and file names that are bytes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QClipboard>
#include <QSignalSpy>
#include <cstdio>

#include "app/SourceWatcher.h"
#include "data/SourceFile.h"
#include "source/RecordJson.h"
#include "tests/app/WindowTest.h"

namespace quorvel {
namespace {

using test::SourceFileBuilder;

constexpr int kReloadWaitMs = 3000;

class AuthoringTest : public test::WindowTest {
  protected:
    // A dump of `file`, as `quorvel-cli dump` prints it.
    QString WriteJson(const SourceFileBuilder& file, const QString& name) {
        SourceRecord record;
        EXPECT_EQ(LoadSourceFile(test::LocalPath(Write(file)), record), LoadOutcome::Loaded);
        test::WriteFile(test::LocalPath(Path(name)), FormatJson(DumpRecord(record)));
        return Path(name);
    }
    // As an editor saves: a new file renamed over the old one.
    void ReplaceByRename(const SourceFileBuilder& file, std::size_t size = record::kSize) {
        Write(file, "edit.tmp", size);
        ASSERT_EQ(std::rename(QFile::encodeName(Path("edit.tmp")).constData(),
                              QFile::encodeName(Path("scene.dat")).constData()),
                  0);
    }
    QString StatusLine() const { return m_dialog->findChild<QLabel*>("statusLine")->text(); }
    bool WaitFor(const std::function<bool()>& condition) {
        return QTest::qWaitFor(condition, kReloadWaitMs);
    }
};

SourceFileBuilder LouderSweep() {
    SourceFileBuilder file = test::FullSatelliteFile();
    file.Sweep(0, 950, 2150, 70).Sweep(5, 950, 2150, 70);
    return file;
}

TEST_F(AuthoringTest, ADumpOpensAsItsSourceFileAndARefusedOneSaysWhy) {
    m_dialog->OpenSourceFile(WriteJson(test::FullSatelliteFile(), "scene.json"));
    ASSERT_TRUE(m_warnings.isEmpty()) << m_warnings.join("|").toStdString();
    const QImage fromJson = PaintedScreen();
    const QStringList names = Names("measureList");
    Open(test::FullSatelliteFile());
    EXPECT_EQ(PaintedScreen(), fromJson);
    EXPECT_EQ(Names("measureList"), names);

    // The loader's own tests cover each reason; the window names the file and passes the reason on.
    test::WriteFile(test::LocalPath(Path("deep.json")),
                    std::string(100'000, '[') + std::string(100'000, ']'));
    m_dialog->OpenSourceFile(Path("deep.json"));
    ASSERT_EQ(m_warnings.size(), 1);
    EXPECT_EQ(m_warnings[0].section('\n', 0, 1), "Open false! \n" + Path("deep.json"));
    EXPECT_TRUE(m_warnings[0].section('\n', 2).contains("deep")) << m_warnings[0].toStdString();
    EXPECT_EQ(PaintedScreen(), fromJson);  // a refused file changes nothing
}

TEST_F(AuthoringTest, AnEditSavedByRenameShowsWithThePlaceKeptAndFailuresGoToTheStatusLine) {
    Open(test::FullSatelliteFile(), "scene.dat");
    Press(Qt::Key_Left);  // Measure to Spectrum
    List("spectrumList")->setCurrentIndex(1);
    Press(Qt::Key_Up);
    ASSERT_EQ(State().category, Category::Spectrum);
    const QImage before = PaintedScreen();

    ReplaceByRename(LouderSweep());
    ASSERT_TRUE(WaitFor([&] { return PaintedScreen() != before; }));
    EXPECT_EQ(State().category, Category::Spectrum);
    EXPECT_EQ(StatusLine(), "Reloaded scene.dat");
    const QImage louder = PaintedScreen();

    // A half-written file keeps everything shown; so does a file that went away.
    ReplaceByRename(LouderSweep(), record::kSize / 2);
    ASSERT_TRUE(WaitFor([&] { return StatusLine().contains("shorter"); }));
    EXPECT_TRUE(StatusLine().contains(Path("scene.dat")));
    EXPECT_EQ(PaintedScreen(), louder);
    ASSERT_TRUE(QFile::remove(Path("scene.dat")));
    ASSERT_TRUE(WaitFor([&] { return StatusLine().contains("missing"); }));
    EXPECT_EQ(PaintedScreen(), louder);
    EXPECT_TRUE(m_warnings.isEmpty());

    // It comes back: the next good save recovers, shown at the same list line and scale.
    ReplaceByRename(test::FullSatelliteFile());
    ASSERT_TRUE(WaitFor([&] { return StatusLine() == "Reloaded scene.dat"; }));
    EXPECT_EQ(PaintedScreen(), before);
    EXPECT_EQ(m_dialog->windowTitle(), "scene.dat - Quorvel");
}

TEST_F(AuthoringTest, ABurstOfWritesGivesOneReloadAfterItSettles) {
    Open(test::FullSatelliteFile(), "scene.dat");
    QSignalSpy reloads(&m_dialog->Watcher(), &SourceWatcher::Settled);
    for (int i = 0; i < 60; ++i) {
        Write(i % 2 ? LouderSweep() : test::FullSatelliteFile(), "scene.dat");
        QTest::qWait(5);
    }
    QTest::qWait(SourceWatcher::kSettleMilliseconds * 3);
    // One reload, or a few should a busy machine stall the writer past the settle time.
    const qsizetype afterBurst = reloads.count();
    EXPECT_GE(afterBurst, 1);
    EXPECT_LE(afterBurst, 3);
    // Another file in the folder changing is no reason to read this one again.
    Write(LouderSweep(), "other.dat");
    QTest::qWait(SourceWatcher::kSettleMilliseconds * 3);
    EXPECT_EQ(reloads.count(), afterBurst);
    // Nor does a folder whose other files come and go all the time put this one's reload off.
    Write(test::FullSatelliteFile(), "scene.dat");
    for (int i = 0; i < 20 && reloads.count() == afterBurst; ++i) {
        Write(LouderSweep(), "other.dat");
        QTest::qWait(SourceWatcher::kSettleMilliseconds / 4);
        QFile::remove(Path("other.dat"));
        QTest::qWait(SourceWatcher::kSettleMilliseconds / 4);
    }
    // At least one: a machine slow enough to stall the write past the settle time may see two.
    EXPECT_GT(reloads.count(), afterBurst);
}

TEST_F(AuthoringTest, CtrlCCopiesTheSavedPixelsAndF5ReloadsWithoutTheMeterSeeingEither) {
    Open(test::FullSatelliteFile(), "scene.dat");
    Press(Qt::Key_Left);
    QApplication::clipboard()->clear();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
    const QImage copied = QApplication::clipboard()->image();
    m_dialog->SaveScreen(Path("saved.bmp"));
    EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB32), QImage(Path("saved.bmp")));
    EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB32), PaintedScreen());

    Write(LouderSweep(), "scene.dat");
    const QImage before = PaintedScreen();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
    EXPECT_NE(PaintedScreen(), before);  // at once, not after the settle
    EXPECT_EQ(State().category, Category::Spectrum);
}

TEST_F(AuthoringTest, PngHoldsTheScreenPixelsAndBytesNamesOpenAndSave) {
    Open(test::FullSatelliteFile());
    m_dialog->SaveScreen(Path("shot.PNG"));
    const QByteArray png = test::ReadAll(Path("shot.PNG"));
    EXPECT_TRUE(png.startsWith("\x89PNG\r\n\x1a\n"));
    EXPECT_EQ(QImage::fromData(png).convertToFormat(QImage::Format_RGB32), PaintedScreen());

    const QByteArray folder = QFile::encodeName(m_dir.path());
    const QByteArray latin1 = folder + "/caf\xe9.dat";  // not valid UTF-8
    SourceFileBuilder terrestrial;
    terrestrial.Add(EntryKind::Measure, 2, DvbType::Satellite, "Latin");
    terrestrial.Write(latin1.toStdString());
    m_dialog->OpenSourceFile(latin1);
    EXPECT_TRUE(m_warnings.isEmpty());
    EXPECT_EQ(Names("measureList"), QStringList{"Latin"});
    m_dialog->SaveScreen(folder + "/caf\xe9.bmp");
    EXPECT_EQ(::access((folder + "/caf\xe9.bmp").constData(), F_OK), 0);
    EXPECT_TRUE(m_warnings.isEmpty());

    // Its folder still reports an edit of a name the watcher cannot hold as text.
    test::FullSatelliteFile().Write((folder + "/edit.tmp").toStdString());
    ASSERT_EQ(std::rename((folder + "/edit.tmp").constData(), latin1.constData()), 0);
    EXPECT_TRUE(WaitFor([&] { return Names("measureList").size() == 2; }));
}

TEST_F(AuthoringTest, ZoomScalesTheViewNotTheScreenAndThePointerMapsThroughIt) {
    Open(test::FullSatelliteFile());
    Press(Qt::Key_Left);
    const QImage screen = PaintedScreen();
    Action("actionZoom200")->trigger();
    EXPECT_EQ(Screen()->size(), QSize(2560, 1440));
    EXPECT_EQ(PaintedScreen(), screen);
    MovePointer(QPoint(601, 801));
    EXPECT_EQ(State().cursorX, 300);

    const std::pair<Qt::Key, QSize> shortcuts[] = {{Qt::Key_Minus, {1280, 720}},
                                                   {Qt::Key_Minus, {640, 360}},
                                                   {Qt::Key_0, {1280, 720}},
                                                   {Qt::Key_Plus, {2560, 1440}}};
    for (const auto& [key, size] : shortcuts) {
        QTest::keyClick(QApplication::focusWidget(), key, Qt::ControlModifier);
        EXPECT_EQ(Screen()->size(), size) << key;
    }
    EXPECT_EQ(State().category, Category::Spectrum);  // no key reached the meter

    Action("actionZoomFit")->trigger();
    const QSize room = Screen()->parentWidget()->size();
    EXPECT_TRUE(Screen()->width() == room.width() || Screen()->height() == room.height());
    EXPECT_LE(Screen()->width(), room.width());
    EXPECT_LE(Screen()->height(), room.height());
}

}  // namespace
}  // namespace quorvel
