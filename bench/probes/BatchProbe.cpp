// Runs `quorvel-cli render FILE --all` as a whole process several times per format and reports
// the median pictures per second and the largest resident size the batch reached; then opens the
// contact sheet of a batch of over a thousand pictures in headless chromium.
//   quorvel_batch_probe [--runs N]
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "probes/ProbeRow.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using quorvel::probe::Format;

struct BatchRun {
    bool ok = false;
    double seconds = 0;
    double cpuSeconds = 0;  // user and system time of the whole process
    long maxRssKb = 0;
    int pictures = 0;
};

int CountPictures(const fs::path& folder, const std::string& extension) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() == extension) ++count;
    }
    return count;
}

// Runs the program with standard output and error thrown away; false when it could not start.
bool Spawn(std::vector<std::string> arguments, pid_t& child) {
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return spawned == 0;
}

BatchRun RunBatch(const fs::path& folder, const std::string& format,
                  const std::vector<std::string>& extra) {
    std::vector<std::string> arguments = {QUORVEL_CLI_PATH, "render", QUORVEL_DEMO_DAT,
                                          "--all",          "-o",     folder.string(),
                                          "--format",       format};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    BatchRun run;
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (!Spawn(arguments, child)) return run;
    int status = 0;
    rusage usage{};
    if (::wait4(child, &status, 0, &usage) != child) return run;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.maxRssKb = usage.ru_maxrss;
    const auto seconds = [](const timeval& time) { return time.tv_sec + time.tv_usec * 1e-6; };
    run.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.pictures = CountPictures(folder, "." + format);
    return run;
}

// Seconds headless chromium takes to open the sheet and print its page, or a negative number
// when it failed. The sheet's pictures load lazily, so a large sheet opens as fast as a small one.
double OpenSheetSeconds(const fs::path& sheet, const fs::path& profile) {
    const std::vector<std::string> arguments = {
        "chromium", "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
        "--no-first-run", "--disable-background-networking", "--disable-component-update",
        "--disable-sync", "--user-data-dir=" + profile.string(), "--dump-dom",
        "file://" + sheet.string()};
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (!Spawn(arguments, child)) return -1;
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return -1;
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A batch over enough copies of the demo file for a sheet of over a thousand pictures.
bool WriteLargeSheet(const fs::path& root, const fs::path& output) {
    std::vector<std::string> arguments = {QUORVEL_CLI_PATH, "render", "--all", "-o",
                                          output.string()};
    for (int copy = 0; copy < 15; ++copy) {
        const fs::path source = root / ("copy" + std::to_string(copy)) / "demo.dat";
        fs::create_directories(source.parent_path());
        fs::copy_file(QUORVEL_DEMO_DAT, source, fs::copy_options::overwrite_existing);
        arguments.push_back(source.string());
    }
    pid_t child = 0;
    int status = 0;
    return Spawn(arguments, child) && ::waitpid(child, &status, 0) == child &&
           WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 7;
    if (argc == 3 && std::strcmp(argv[1], "--runs") == 0) runs = std::max(1, std::atoi(argv[2]));
    const fs::path root =
        fs::temp_directory_path() / ("quorvel-batch-probe-" + std::to_string(::getpid()));

    struct BatchFormat {
        const char* name;
        const char* rowName;
        double minimumPerSecond;
        std::vector<std::string> extra;
    };
    long largestRssKb = 0;
    bool allMet = true;
    // Every batch writes the contact sheet, and PNG pictures carry their provenance text.
    for (const BatchFormat& format :
         {BatchFormat{"bmp", "render --all BMP (process)", 500, {}},
          BatchFormat{"png", "render --all PNG, sheet and metadata (process)", 200, {}},
          BatchFormat{"png", "render --all --scale 2 PNG (process)", 60, {"--scale", "2"}}}) {
        std::vector<double> perSecond;
        std::vector<double> cpuMsPerPicture;
        for (int i = 0; i < runs; ++i) {
            // A fresh folder each time: the batch writes new pictures, as for a new manual.
            const fs::path folder = root / (std::string(format.name) + std::to_string(i));
            fs::create_directories(folder);
            // Each run starts with nothing left to write back from the runs and benchmarks
            // before it, as a batch run on its own would: their write-back would otherwise
            // compete with this run for the two cores.
            ::sync();
            const BatchRun run = RunBatch(folder, format.name, format.extra);
            fs::remove_all(folder);
            if (!run.ok || run.pictures == 0) {
                std::fprintf(stderr, "quorvel_batch_probe: the %s batch failed\n", format.name);
                fs::remove_all(root);
                return 2;
            }
            perSecond.push_back(run.pictures / run.seconds);
            cpuMsPerPicture.push_back(run.cpuSeconds * 1000 / run.pictures);
            largestRssKb = std::max(largestRssKb, run.maxRssKb);
        }
        const double median = quorvel::probe::Median(perSecond);
        const bool met = median >= format.minimumPerSecond;
        allMet &= met;
        // The processor time each picture took, start-up included, shows what the batch would
        // do on two idle cores when the machine is shared.
        quorvel::probe::PrintRow(
            format.rowName, Format("%.0f pictures/s", median),
            Format(">= %.0f pictures/s", format.minimumPerSecond), met,
            Format("%.2f ms/picture", quorvel::probe::Median(cpuMsPerPicture)));
    }

    const fs::path sheetFolder = root / "sheet";
    std::vector<double> openSeconds;
    if (WriteLargeSheet(root / "sources", sheetFolder)) {
        for (int i = 0; i < std::min(runs, 3); ++i) {
            const fs::path profile = root / ("profile" + std::to_string(i));
            openSeconds.push_back(OpenSheetSeconds(sheetFolder / "index.html", profile));
            fs::remove_all(profile);
        }
    }
    const double opened = openSeconds.empty() ? -1 : quorvel::probe::Median(openSeconds);
    const bool openMet = opened >= 0 && opened < 2.0;
    allMet &= openMet;
    quorvel::probe::PrintRow("sheet of 1,050 pictures opens in chromium",
                             opened < 0 ? std::string("failed") : Format("%.2f s", opened),
                             "< 2 s", openMet);
    fs::remove_all(root);
    const double largestMb = largestRssKb / 1024.0;
    const bool rssMet = largestMb <= 150;
    quorvel::probe::PrintRow("render --all peak resident", Format("%.1f MB", largestMb),
                             "<= 150 MB", rssMet);
    return allMet && rssMet ? 0 : 1;
}
