// The window as its users meet it: time from process start to the end of the first paint of
// samples/demo.dat's screen, and resident memory after every screen of the file was shown.
//   quorvel_window_probe [--runs N]   runs itself once per figure and prints the table rows
//   quorvel_window_probe startup      one start-up: prints milliseconds
//   quorvel_window_probe memory       one tour of every screen: prints "VmHWM VmRSS screens"
//   quorvel_window_probe authoring    edits of an open JSON dump and copies: prints "reload
//                                     total copy" medians in milliseconds
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "app/QuorvelApplication.h"
#include "app/MainWindow.h"
#include "app/ListComboBox.h"
#include "app/ScreenView.h"
#include "data/SourceFile.h"
#include "probes/ProbeRow.h"
#include "source/RecordJson.h"

extern char** environ;

namespace {

using quorvel::MainWindow;
using quorvel::ScreenView;

// Seconds since boot at which this process was created: field 22 of /proc/self/stat, in clock
// ticks. Dynamic loading and everything before main() count.
double ProcessStartSeconds() {
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    // The command name may hold spaces; the fields after it start past its closing parenthesis.
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    for (int index = 3; index <= 22; ++index) fields >> field;
    return std::stod(field) / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

double BootSeconds() {
    timespec now{};
    ::clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

bool HasFileLoaded(const MainWindow& dialog) {
    return dialog.Navigation().Lists().measure.Count() > 0;
}

// Calls `onPainted` once each paint of the screen view has finished, with its window.
class PaintWatcher : public QObject {
  public:
    explicit PaintWatcher(std::function<void(MainWindow&)> onPainted)
        : m_onPainted(std::move(onPainted)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* view = qobject_cast<ScreenView*>(watched);
        if (event->type() != QEvent::Paint || view == nullptr) return false;
        // The view handles the event here, so that what follows sees the paint finished.
        static_cast<QObject*>(view)->event(event);
        if (auto* dialog = qobject_cast<MainWindow*>(view->window())) m_onPainted(*dialog);
        return true;
    }

  private:
    std::function<void(MainWindow&)> m_onPainted;
};

// Argument vector of the program itself: its name, then the file to open.
struct WindowArguments {
    std::string program;
    std::string file = QUORVEL_DEMO_DAT;
    std::vector<char*> argv;
    int argc = 2;
    explicit WindowArguments(const char* self) : program(self) {
        argv = {program.data(), file.data(), nullptr};
    }
};

int Startup(const char* self) {
    WindowArguments arguments(self);
    // Built exactly as main() builds it, the file named on the command line.
    quorvel::QuorvelApplication app(arguments.argc, arguments.argv.data());
    double elapsed = -1;
    PaintWatcher watcher([&](MainWindow& dialog) {
        if (elapsed >= 0 || !HasFileLoaded(dialog)) return;
        elapsed = BootSeconds() - ProcessStartSeconds();
        dialog.done(0);
    });
    qApp->installEventFilter(&watcher);
    app.Run(arguments.file);
    if (elapsed < 0) return 2;
    std::printf("%.1f\n", elapsed * 1000);
    return 0;
}

long StatusKb(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(key, 0) == 0) return std::atol(line.c_str() + std::strlen(key));
    }
    return -1;
}

// Every DVB type, language, family and list line, and the More view of each constellation
// line, each painted before the next step.
int VisitEveryScreen(MainWindow& dialog) {
    auto* view = dialog.findChild<ScreenView*>(QStringLiteral("screen"));
    int screens = 0;
    const auto paint = [&] {
        view->repaint();
        ++screens;
    };
    const auto trigger = [&](const char* name) {
        dialog.findChild<QAction*>(QString::fromLatin1(name))->trigger();
    };
    for (const char* dvbType : {"actionDvbS", "actionDvbT", "actionDvbC"}) {
        trigger(dvbType);
        for (const char* language : {"actionEnglish", "actionFrench"}) {
            trigger(language);
            for (QComboBox* list : dialog.Lists()) {
                Q_EMIT static_cast<quorvel::ListComboBox*>(list)->closeUp();
                paint();
                const bool constellation = list == dialog.Lists()[1];
                for (int line = 0; line < list->count(); ++line) {
                    list->setCurrentIndex(line);
                    paint();
                    if (constellation) {
                        dialog.OnKeyDown(Qt::Key_F1);
                        paint();
                    }
                }
            }
        }
    }
    return screens;
}

int Memory(const char* self) {
    WindowArguments arguments(self);
    quorvel::QuorvelApplication app(arguments.argc, arguments.argv.data());
    bool toured = false;
    int screens = 0;
    PaintWatcher watcher([&](MainWindow& dialog) {
        if (toured || !HasFileLoaded(dialog)) return;
        toured = true;
        // After this paint returns: a tour from inside a paint event would nest paints.
        QTimer::singleShot(0, &dialog, [&screens, &dialog] {
            screens = VisitEveryScreen(dialog);
            dialog.done(0);
        });
    });
    qApp->installEventFilter(&watcher);
    app.Run(arguments.file);
    if (screens == 0) return 2;
    std::printf("%ld %ld %d\n", StatusKb("VmHWM:"), StatusKb("VmRSS:"), screens);
    return 0;
}

// The demo's dump with every level of every sweep set to `level`, so that each
// edit changes what the Spectrum screen shows.
std::string EditedDump(const quorvel::SourceRecord& demo, int level) {
    quorvel::Json dump = quorvel::DumpRecord(demo);
    for (auto& slot : dump["spectrum"]) {
        if (slot.contains("fields")) slot["fields"]["levels"] = std::vector<int>(202, level);
    }
    return quorvel::FormatJson(dump);
}

bool WriteByRename(const QString& target, const std::string& text) {
    QFile out(target + ".tmp");
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    out.write(text.data(), static_cast<qint64>(text.size()));
    out.close();
    return std::rename(QFile::encodeName(out.fileName()).constData(),
                       QFile::encodeName(target).constData()) == 0;
}

int Authoring(const char* self) {
    WindowArguments arguments(self);
    quorvel::QuorvelApplication app(arguments.argc, arguments.argv.data());
    quorvel::SourceRecord demo;
    QTemporaryDir dir;
    if (quorvel::LoadSourceFile(QUORVEL_DEMO_DAT, demo) != quorvel::LoadOutcome::Loaded ||
        !dir.isValid()) {
        return 2;
    }
    const QString path = dir.filePath(QStringLiteral("scene.json"));
    if (!WriteByRename(path, EditedDump(demo, 40))) return 2;
    MainWindow dialog;
    dialog.show();
    dialog.OpenSourceFile(path);
    auto* view = dialog.findChild<ScreenView*>(QStringLiteral("screen"));
    dialog.OnKeyDown(Qt::Key_Left);  // the Spectrum screen, where the edits show
    std::vector<double> reloadMs, totalMs, copyMs;
    for (int i = 0; i < 10; ++i) {
        const QImage before = dialog.ScreenImage().copy();
        const std::string edited = EditedDump(demo, 50 + i);
        QElapsedTimer total;
        total.start();
        if (!WriteByRename(path, edited)) return 2;
        if (!QTest::qWaitFor([&] { return dialog.ScreenImage() != before; }, 5000)) return 2;
        view->repaint();
        totalMs.push_back(total.nsecsElapsed() / 1e6);
    }
    for (int i = 0; i < 20; ++i) {
        // The part after the settle: reading, building and the repainted frame.
        if (!WriteByRename(path, EditedDump(demo, 30 + i % 2 * 20))) return 2;
        QElapsedTimer reload;
        reload.start();
        dialog.ReloadSource();
        view->repaint();
        reloadMs.push_back(reload.nsecsElapsed() / 1e6);
        QElapsedTimer copy;
        copy.start();
        dialog.CopyScreen();
        copyMs.push_back(copy.nsecsElapsed() / 1e6);
    }
    std::printf("%.2f %.2f %.2f\n", quorvel::probe::Median(reloadMs),
                quorvel::probe::Median(totalMs), quorvel::probe::Median(copyMs));
    return 0;
}

// Runs this program with `mode` and returns what it printed, or an empty string on failure.
std::string RunSelf(const char* self, const char* mode) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    // Qt's notes about the offscreen platform are noise here; a failure shows in the status.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::string program = self;
    std::string argument = mode;
    char* argv[] = {program.data(), argument.data(), nullptr};
    pid_t child = 0;
    const int spawned = posix_spawn(&child, self, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    std::string output;
    char buffer[256];
    for (ssize_t got; (got = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;) {
        output.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(pipeEnds[0]);
    int status = 0;
    if (spawned != 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        return {};
    }
    return output;
}

int Report(const char* self, int runs) {
    using quorvel::probe::Format;
    std::vector<double> startMs;
    for (int i = 0; i < runs; ++i) {
        const std::string output = RunSelf(self, "startup");
        if (output.empty()) {
            std::fprintf(stderr, "quorvel_window_probe: the window did not paint the file\n");
            return 2;
        }
        startMs.push_back(std::stod(output));
    }
    const double start = quorvel::probe::Median(startMs);
    quorvel::probe::PrintRow("window start to first frame", Format("%.1f ms", start), "<= 300 ms",
                             start <= 300);

    long peakKb = 0;
    long residentKb = 0;
    int screens = 0;
    std::istringstream(RunSelf(self, "memory")) >> peakKb >> residentKb >> screens;
    if (screens == 0) {
        std::fprintf(stderr, "quorvel_window_probe: the tour of every screen failed\n");
        return 2;
    }
    const double peakMb = peakKb / 1024.0;
    quorvel::probe::PrintRow(
        "window peak resident, " + std::to_string(screens) + " screens",
        Format("%.1f MB", peakMb) + Format(" (now %.1f MB)", residentKb / 1024.0), "<= 80 MB",
        peakMb <= 80);

    double reloadMs = -1, totalMs = -1, copyMs = -1;
    std::istringstream(RunSelf(self, "authoring")) >> reloadMs >> totalMs >> copyMs;
    if (copyMs < 0) {
        std::fprintf(stderr, "quorvel_window_probe: the edits of an open dump did not show\n");
        return 2;
    }
    quorvel::probe::PrintRow("window reload after the settle (JSON dump)",
                             Format("%.1f ms", reloadMs) + Format(" (rename to frame %.0f ms)", totalMs),
                             "< 30 ms (< 250 ms)", reloadMs < 30 && totalMs < 250);
    quorvel::probe::PrintRow("window Copy", Format("%.1f ms", copyMs), "< 20 ms", copyMs < 20);
    return start <= 300 && peakMb <= 80 && reloadMs < 30 && totalMs < 250 && copyMs < 20 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 2 && std::strcmp(argv[1], "startup") == 0) return Startup(argv[0]);
    if (argc == 2 && std::strcmp(argv[1], "memory") == 0) return Memory(argv[0]);
    if (argc == 2 && std::strcmp(argv[1], "authoring") == 0) return Authoring(argv[0]);
    int runs = 7;
    if (argc == 3 && std::strcmp(argv[1], "--runs") == 0) runs = std::max(1, std::atoi(argv[2]));
    return Report(argv[0], runs);
}
