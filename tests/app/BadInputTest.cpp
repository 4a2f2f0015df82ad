// Bad source files and failing saves through the real window: what the user is told, and that
// nothing already loaded, shown or saved is lost.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <thread>

#include "app/CPreviewDlg.h"
#include "tests/app/SourceFiles.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;
using test::SourceFileBuilder;

constexpr int kChildFailed = 100;

// Runs `body` in a forked child and returns its exit status. Root ignores permission bits, so
// `unprivileged` children first become the nobody user.
int InChild(bool unprivileged, const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (unprivileged && ::geteuid() == 0 && ::setuid(65534) != 0) ::_exit(kChildFailed + 1);
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : kChildFailed;
}

// What the user has in front of them: the screen, the lists, the help line and the screen family.
struct Shown {
    QImage screen;
    QStringList measures, constellations, spectra;
    QString helpLine;
    Category category;
    bool operator==(const Shown&) const = default;
};

class BadInputTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        // The nobody user of the permission cases must reach the files inside.
        fs::permissions(m_dir.path().toStdString(), fs::perms::all);
        m_dialog = std::make_unique<CPreviewDlg>();
        m_dialog->SetWarningSink([this](const QString& text) { m_warnings << text; });
        m_dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_dialog.get()));
        OpenGoodFile();
    }

    QString Path(const QString& name) const { return m_dir.filePath(name); }

    // A loaded file with the Constellation screen shown: the earlier data every failure keeps.
    void OpenGoodFile() {
        test::FullSatelliteFile().Write(Path("good.dat").toStdString());
        m_dialog->OpenSourceFile(Path("good.dat"));
        ShowFamily(Category::Constellation);
        m_dialog->findChild<QComboBox*>("constellationList")->setCurrentIndex(1);
        ASSERT_TRUE(m_warnings.isEmpty());
        ASSERT_EQ(Now().constellations.size(), 2);
    }

    // The arrow key walks the families in screen order, skipping empty ones.
    void ShowFamily(Category family) {
        for (int presses = 0; presses < 3 && m_dialog->Navigation().State().category != family;
             ++presses) {
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus != nullptr ? focus : m_dialog.get(), Qt::Key_Right);
        }
        ASSERT_EQ(m_dialog->Navigation().State().category, family);
    }

    QStringList Names(const char* list) const {
        const auto* box = m_dialog->findChild<QComboBox*>(list);
        QStringList names;
        for (int i = 0; i < box->count(); ++i) names << box->itemText(i);
        return names;
    }

    Shown Now() const {
        m_dialog->findChild<QWidget*>("screen")->repaint();
        return {m_dialog->ScreenImage().copy(),
                Names("measureList"),
                Names("constellationList"),
                Names("spectrumList"),
                m_dialog->findChild<QLabel*>("helpLine")->text(),
                m_dialog->Navigation().State().category};
    }

    // Opens `path` as File > Open does; a load that blocks releases the FIFO and fails the test.
    void Open(const QString& path) {
        std::atomic<bool> done = false;
        std::atomic<bool> blocked = false;
        std::thread watchdog([&] {
            for (int waited = 0; waited < 500 && !done; ++waited) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            if (done) return;
            blocked = true;
            const int writer = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK);
            if (writer >= 0) ::close(writer);
        });
        m_dialog->OpenSourceFile(path);
        done = true;
        watchdog.join();
        EXPECT_FALSE(blocked) << "opening " << path.toStdString() << " blocked";
    }

    QTemporaryDir m_dir;
    std::unique_ptr<CPreviewDlg> m_dialog;
    QStringList m_warnings;
};

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray Record(const SourceFileBuilder& builder, std::size_t size = record::kSize) {
    const QString scratch = QDir::temp().filePath("quorvel-bad-input-scratch.dat");
    builder.Write(scratch.toStdString(), size);
    QFile file(scratch);
    file.open(QIODevice::ReadOnly);
    QByteArray bytes = file.readAll();
    QFile::remove(scratch);
    return bytes;
}

// Every presence bit set, every entry random behind a header the catalogue accepts: the
// broadcast family by slot (Satellite in slots 2, 5, 8, ...) and a unique name.
SourceFileBuilder RandomEntriesInEverySlot() {
    SourceFileBuilder file;
    std::mt19937 random(7);
    for (std::size_t offset = 4; offset < record::kSize; ++offset) {
        file.Byte(offset, static_cast<std::uint8_t>(random() >> 24));
    }
    for (const EntryKind kind :
         {EntryKind::Measure, EntryKind::Spectrum, EntryKind::Constellation}) {
        const record::KindLayout layout = record::LayoutOf(kind);
        for (std::size_t slot = 0; slot < layout.slots; ++slot) {
            const std::string name = "Random " + std::to_string(slot);
            file.Add(kind, slot, static_cast<DvbType>(slot % 3), name);
            file.Byte(layout.entriesOffset + slot * layout.entrySize + 1 + name.size(), 0);
        }
    }
    return file;
}

struct RefusedFile {
    const char* what;
    const char* name;
    std::function<void(const QString& path)> make;
    bool openFails;  // "Open false! " and the path; otherwise "Read file error!"
};

TEST_F(BadInputTest, RefusedFilesAreReportedAndChangeNothing) {
    const RefusedFile cases[] = {
        {"empty file", "empty.dat", [](const QString& p) { WriteBytes(p, {}); }, false},
        {"one byte", "one.dat", [](const QString& p) { WriteBytes(p, "\xDD"); }, false},
        {"one byte short of a record", "short.dat",
         [](const QString& p) { WriteBytes(p, Record(SourceFileBuilder(), record::kSize - 1)); },
         false},
        {"folder", "folder.dat", [](const QString& p) { QDir().mkdir(p); }, true},
        {"FIFO", "pipe.dat",
         [](const QString& p) { ::mkfifo(QFile::encodeName(p).constData(), 0600); }, true},
        {"missing file", "missing.dat", [](const QString&) {}, true},
    };
    const Shown before = Now();
    for (const RefusedFile& refused : cases) {
        SCOPED_TRACE(refused.what);
        const QString path = Path(QString::fromLatin1(refused.name));
        refused.make(path);
        m_warnings.clear();
        Open(path);
        const QString expected =
            refused.openFails ? QStringLiteral("Open false! \n") + path : "Read file error!";
        EXPECT_EQ(m_warnings, QStringList{expected});
        EXPECT_TRUE(Now() == before);
    }
}

TEST_F(BadInputTest, UnreadableFileIsReportedAndChangesNothing) {
    const QString path = Path("locked.dat");
    test::FullSatelliteFile().Write(path.toStdString());
    ::chmod(QFile::encodeName(path).constData(), 0);
    const Shown before = Now();
    // The window's state is the child's copy; it reports through its exit status.
    const int status = InChild(true, [&] {
        m_warnings.clear();
        m_dialog->OpenSourceFile(path);
        if (m_warnings != QStringList{QStringLiteral("Open false! \n") + path}) return 1;
        return Now() == before ? 0 : 2;
    });
    EXPECT_EQ(status, 0);
}

struct AcceptedFile {
    const char* what;
    QString name;
    std::size_t size;
};

TEST_F(BadInputTest, RecordSizedOrLongerFilesLoadTheirFirstRecordWithoutAMessage) {
    SourceFileBuilder other;
    other.Add(EntryKind::Measure, 9, DvbType::Satellite, "Other file");
    const AcceptedFile cases[] = {
        {"exactly one record", "exact.dat", record::kSize},
        {"one byte more", "longer.dat", record::kSize + 1},
        {"100 MB", "huge.dat", 100u * 1024 * 1024},
        {"name with spaces and non-ASCII letters", QStringLiteral("Mesures d’été à Zürich ✓.dat"),
         record::kSize},
    };
    for (const AcceptedFile& accepted : cases) {
        SCOPED_TRACE(accepted.what);
        const QString path = Path(accepted.name);
        other.Write(QFile::encodeName(path).toStdString());
        // Sparse beyond the record, so the large file costs no disk space.
        fs::resize_file(QFile::encodeName(path).toStdString(), accepted.size);
        m_warnings.clear();
        Open(path);
        EXPECT_TRUE(m_warnings.isEmpty()) << m_warnings.join('|').toStdString();
        const Shown now = Now();
        EXPECT_EQ(now.measures, QStringList{"Other file"});
        EXPECT_TRUE(now.constellations.isEmpty());
        EXPECT_EQ(now.category, Category::Measure);
        OpenGoodFile();
    }
}

TEST_F(BadInputTest, RecordWithoutTheMagicLoadsSilentlyAndListsNothing) {
    WriteBytes(Path("foreign.dat"), Record(test::FullSatelliteFile().Byte(0, 0x00)));
    Open(Path("foreign.dat"));
    EXPECT_TRUE(m_warnings.isEmpty());
    const Shown now = Now();
    EXPECT_TRUE(now.measures.isEmpty() && now.constellations.isEmpty() && now.spectra.isEmpty());
    EXPECT_EQ(now.category, Category::Constellation);  // kept, with nothing to show
    QImage black(now.screen.size(), now.screen.format());
    black.fill(Qt::black);
    EXPECT_TRUE(now.screen == black);
}

TEST_F(BadInputTest, EveryMaskBitWithRandomEntriesLoadsAndEveryListedEntryDraws) {
    RandomEntriesInEverySlot().Write(Path("random.dat").toStdString());
    Open(Path("random.dat"));
    EXPECT_TRUE(m_warnings.isEmpty());
    // The Satellite entries sit in slots 2, 5, 8, ...: 21 of 64 and 10 of 32.
    const Shown loaded = Now();
    EXPECT_EQ(loaded.measures.size(), 21);
    EXPECT_EQ(loaded.spectra.size(), 21);
    EXPECT_EQ(loaded.constellations.size(), 10);

    const std::pair<Category, const char*> families[] = {
        {Category::Measure, "measureList"},
        {Category::Constellation, "constellationList"},
        {Category::Spectrum, "spectrumList"}};
    for (const auto& [family, listName] : families) {
        ShowFamily(family);
        auto* list = m_dialog->findChild<QComboBox*>(listName);
        QImage previous;
        for (int line = 0; line < list->count(); ++line) {
            SCOPED_TRACE(list->itemText(line).toStdString());
            list->setCurrentIndex(line);
            const QImage screen = Now().screen;
            // Each entry's own values reach the screen, so no two neighbours look the same.
            EXPECT_NE(screen, previous);
            previous = screen;
        }
    }
    EXPECT_TRUE(m_warnings.isEmpty());
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Saves the screen over an earlier picture in a folder of its own, in a child that `prepare`
// sets up; the child reports through its exit status whether the window said `reason`.
class FailedSaveTest : public BadInputTest {
  protected:
    void SetUp() override {
        BadInputTest::SetUp();
        ASSERT_TRUE(QDir(m_dir.path()).mkdir("pictures"));
        m_folder = Path("pictures");
        m_target = m_folder + "/screen.bmp";
        WriteBytes(m_target, "earlier picture");
        m_dialog->SetSavePathChooser([this] { return m_target; });
    }

    int SaveInChild(bool unprivileged, const std::function<bool()>& prepare, const char* reason) {
        return InChild(unprivileged, [&] {
            if (!prepare()) return 3;
            m_warnings.clear();
            m_dialog->findChild<QAction*>("actionSave")->trigger();
            if (m_warnings.size() != 1) return 1;
            const QString expected = QStringLiteral("Save false! \n%1\n%2").arg(m_target, reason);
            return m_warnings[0] == expected ? 0 : 2;
        });
    }

    void ExpectEarlierPictureAlone() const {
        EXPECT_EQ(ReadAll(m_target), "earlier picture");
        EXPECT_EQ(QDir(m_folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                  QStringList{"screen.bmp"});
    }

    QString m_folder;
    QString m_target;
};

TEST_F(FailedSaveTest, FolderWithoutWritePermission) {
    fs::permissions(QFile::encodeName(m_folder).toStdString(),
                    fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                        fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    EXPECT_EQ(SaveInChild(
                  true, [] { return true; }, "Permission denied"),
              0);
    fs::permissions(QFile::encodeName(m_folder).toStdString(), fs::perms::all);
    ExpectEarlierPictureAlone();
}

TEST_F(FailedSaveTest, DiskFillingUpHalfwayThroughThePicture) {
    // A file-size limit stops the write part-way with an error, as a full disk does.
    const auto fillUp = [] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64 * 1024, 64 * 1024};
        return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    };
    EXPECT_EQ(SaveInChild(false, fillUp, "File too large"), 0);
    ExpectEarlierPictureAlone();
}

}  // namespace
}  // namespace quorvel
