// Bad source files and a failing save through the real window: what the user is told, and that
// nothing already loaded, shown or saved is lost. The loader's and the atomic writer's own tests
// cover each way of failing; these check that the window reports them and keeps what it had.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "tests/app/WindowTest.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::SourceFileBuilder;

// What the user has in front of them: the screen, the lists, the help line and the screen family.
struct Shown {
    QImage screen;
    QStringList measures, constellations, spectra;
    QString helpLine;
    Category category;
    bool operator==(const Shown&) const = default;
};

class BadInputTest : public test::WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        OpenGoodFile();
    }

    // A loaded file with the Constellation screen shown: the earlier data every failure keeps.
    void OpenGoodFile() {
        WindowTest::Open(test::FullSatelliteFile(), "good.dat");
        Press(Qt::Key_Right);
        List("constellationList")->setCurrentIndex(1);
        ASSERT_EQ(State().category, Category::Constellation);
        ASSERT_EQ(Now().constellations.size(), 2);
    }

    Shown Now() const {
        return {PaintedScreen(),       Names("measureList"), Names("constellationList"),
                Names("spectrumList"), HelpLine(),           State().category};
    }

    // Opens `path` as File > Open does; a load that blocks releases the FIFO and fails the test.
    void Open(const QString& path) {
        std::atomic<bool> done = false, blocked = false;
        std::thread watchdog([&] {
            for (int i = 0; i < 500 && !done; ++i) std::this_thread::sleep_for(10ms);
            if (done) return;
            blocked = true;
            ::close(::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK));
        });
        m_dialog->OpenSourceFile(path);
        done = true;
        watchdog.join();
        EXPECT_FALSE(blocked) << "opening " << path.toStdString() << " blocked";
    }
};

TEST_F(BadInputTest, RefusedFilesAreReportedAndChangeNothing) {
    SourceFileBuilder terrestrial;
    terrestrial.Add(EntryKind::Measure, 0, DvbType::Terrestrial, "Partial");
    const QString shortFile = Write(terrestrial, "short.dat", record::kSize - 1);
    ASSERT_EQ(::mkfifo(QFile::encodeName(Path("pipe.dat")).constData(), 0600), 0);
    // Files shorter than a record are read and refused; the others cannot be opened, and
    // a relative path is named in full.
    const std::pair<QString, QString> cases[] = {
        {shortFile, "Read file error!"},
        {Write(SourceFileBuilder(), "empty.dat", 0), "Read file error!"},
        {m_dir.path(), "Open false! \n" + m_dir.path()},
        {Path("pipe.dat"), "Open false! \n" + Path("pipe.dat")},
        {Path("missing.dat"), "Open false! \n" + Path("missing.dat")},
        {"no/such/file.dat",
         "Open false! \n" + QDir::current().absoluteFilePath("no/such/file.dat")},
    };
    const Shown before = Now();
    for (const auto& [path, warning] : cases) {
        m_warnings.clear();
        Open(path);
        EXPECT_EQ(m_warnings, QStringList{warning});
        EXPECT_TRUE(Now() == before) << path.toStdString();
    }
    // The next rebuild reads the file loaded before, not the partial one.
    Action("actionDvbT")->trigger();
    EXPECT_EQ(Names("measureList"), QStringList{"M-Ter"});
}

TEST_F(BadInputTest, RecordSizedOrLongerFilesLoadTheirFirstRecordWithoutAMessage) {
    SourceFileBuilder other;
    other.Add(EntryKind::Measure, 9, DvbType::Satellite, "Other file");
    const std::pair<QString, std::size_t> cases[] = {
        {"huge.dat", 100u * 1024 * 1024},
        {QStringLiteral("Mesures d’été à Zürich ✓.dat"), record::kSize},
    };
    for (const auto& [name, size] : cases) {
        SCOPED_TRACE(name.toStdString());
        const QString path = Write(other, name);
        // Sparse beyond the record, so the large file costs no disk space.
        fs::resize_file(QFile::encodeName(path).toStdString(), size);
        m_warnings.clear();
        Open(path);
        EXPECT_TRUE(m_warnings.isEmpty()) << m_warnings.join('|').toStdString();
        const Shown now = Now();
        EXPECT_EQ(std::tuple(now.measures, now.constellations, now.category),
                  std::tuple(QStringList{"Other file"}, QStringList(), Category::Measure));
        OpenGoodFile();
    }
}

TEST_F(BadInputTest, RecordWithoutTheMagicLoadsSilentlyAndListsNothing) {
    Open(Write(test::FullSatelliteFile().WithoutMagic(), "foreign.dat"));
    EXPECT_TRUE(m_warnings.isEmpty());
    const Shown now = Now();
    EXPECT_TRUE(now.measures.isEmpty() && now.constellations.isEmpty() && now.spectra.isEmpty());
    EXPECT_EQ(now.category, Category::Constellation);  // kept, with nothing to show
    EXPECT_TRUE(test::AllBlack(now.screen));
}

TEST_F(BadInputTest, SaveFailingHalfwayIsReportedAndKeepsTheEarlierPicture) {
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("pictures"));
    const QString target = Path("pictures/screen.bmp");
    test::WriteFile(test::LocalPath(target), QByteArray("earlier picture"));
    m_dialog->SetSavePathChooser([&] { return target; });
    // In a child, whose limits are its own, a file-size limit stops the write part-way with an
    // error, as a full disk does.
    const pid_t child = ::fork();
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64 * 1024, 64 * 1024};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(3);
        m_warnings.clear();
        Action("actionSave")->trigger();
        ::_exit(m_warnings == QStringList{"Save false! \n" + target + "\nFile too large"} ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(test::ReadAll(target), "earlier picture");
    EXPECT_EQ(
        QDir(Path("pictures")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
        QStringList{"screen.bmp"});
}

}  // namespace
}  // namespace quorvel
