// `render --all`: every screen of the file, drawn on every core, plus index.json.
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <mutex>
#include <nlohmann/json.hpp>
#include <thread>

#include "cli/BatchPlan.h"
#include "cli/Commands.h"
#include "cli/FolderLock.h"
#include "cli/ScreenNames.h"
#include "cli/SourceInput.h"
#include "Version.h"
#include "export/AtomicFile.h"

namespace quorvel::cli {

namespace {

// Empty when the picture was written, otherwise why not.
std::string MakePicture(const Catalogue& catalogue, const PlannedPicture& picture,
                        PictureFormat format, const std::filesystem::path& folder, QImage& screen) {
    const std::vector<int> missingIcons = RenderScreenInto(screen, catalogue, picture.request);
    if (!missingIcons.empty()) {
        return "icon " + std::to_string(missingIcons.front()) + " could not be loaded";
    }
    const WriteOutcome written = WritePicture(screen, format, folder / picture.fileName);
    return written.ok ? std::string() : written.error;
}

// Where each list line's run of pictures starts in `pictures`, plus the end: the plan keeps a
// line's languages and views next to each other.
std::vector<std::size_t> LineStarts(const std::vector<PlannedPicture>& pictures) {
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const ScreenRequest& request = pictures[i].request;
        const bool sameLine = i > 0 && pictures[i - 1].request.dvbType == request.dvbType &&
                              pictures[i - 1].request.screen == request.screen &&
                              pictures[i - 1].request.position == request.position;
        if (!sameLine) starts.push_back(i);
    }
    starts.push_back(pictures.size());
    return starts;
}

class ProgressLine {
  public:
    ProgressLine(std::ostream& err, std::size_t total, bool shown)
        : m_err(err), m_total(total), m_shown(shown) {}

    void Step() {
        const std::size_t done = ++m_done;
        if (!m_shown) return;
        std::lock_guard lock(m_mutex);
        m_err << "\rquorvel-cli: " << done << "/" << m_total << " pictures" << std::flush;
    }

    void Finish() {
        if (m_shown && m_total > 0) m_err << "\n";
    }

  private:
    std::ostream& m_err;
    std::size_t m_total;
    bool m_shown;
    std::atomic<std::size_t> m_done{0};
    std::mutex m_mutex;
};

nlohmann::ordered_json IndexOf(const std::vector<PlannedPicture>& pictures,
                               const std::vector<std::string>& failures,
                               const std::string& sha256) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        if (!failures[i].empty()) continue;
        const ScreenRequest& request = pictures[i].request;
        list.push_back({{"file", pictures[i].fileName},
                        {"dvbType", DvbDisplayName(request.dvbType)},
                        {"screen", PictureScreenName(request)},
                        {"position", request.position},
                        {"entryName", pictures[i].entryName},
                        {"language", LanguageCode(request.language)},
                        {"referenceLevel", request.referenceLevel},
                        {"cursorX", request.cursorX},
                        {"recordSha256", sha256},
                        {"toolVersion", kVersion}});
    }
    return {{"pictures", list}};
}

}  // namespace

int RunBatch(const RenderOptions& options, std::ostream& err) {
    const PictureFormat format = FormatFromName(options.format).value_or(PictureFormat::Bmp);
    const SourceInput input = ReadSourceInput(options.source);
    if (!input.record) {
        err << "quorvel-cli: " << input.error << "\n";
        return kExitFailure;
    }
    std::error_code error;
    std::filesystem::create_directories(options.output, error);
    if (!std::filesystem::is_directory(options.output)) {
        err << "quorvel-cli: -o " << options.output.string() << ": not a folder"
            << (error ? " (" + error.message() + ")" : std::string()) << "\n";
        return kExitFailure;
    }
    const FolderLock lock(options.output);
    if (!lock.Held()) {
        err << "quorvel-cli: -o " << options.output.string() << ": " << lock.Problem() << "\n";
        return kExitFailure;
    }
    // An index left from an earlier batch would describe pictures this one may not get to write.
    const std::filesystem::path indexPath = options.output / "index.json";
    if (::unlink(indexPath.c_str()) != 0 && errno != ENOENT) {
        err << "quorvel-cli: cannot replace " << indexPath.string() << ": " << std::strerror(errno)
            << "\n";
        return kExitFailure;
    }

    const CataloguesByDvb catalogues = CataloguesForAllDvbTypes(*input.record);
    const std::vector<PlannedPicture> pictures = PlanAllPictures(catalogues, format);
    std::vector<std::string> failures(pictures.size());
    ProgressLine progress(err, pictures.size(), &err == &std::cerr && isatty(STDERR_FILENO));

    // Threads take one list line at a time, all its pictures together: they share the line's
    // value texts, which each thread lays out once in its own text cache.
    const std::vector<std::size_t> lineStarts = LineStarts(pictures);
    std::atomic<std::size_t> nextLine{0};
    const auto work = [&] {
        // Allocating a screen image per picture cost more in page faults than drawing one.
        QImage screen;
        for (std::size_t line = nextLine++; line + 1 < lineStarts.size(); line = nextLine++) {
            for (std::size_t i = lineStarts[line]; i < lineStarts[line + 1]; ++i) {
                const PlannedPicture& picture = pictures[i];
                // An exception leaving a thread would abort the whole process.
                try {
                    failures[i] = MakePicture(CatalogueOf(catalogues, picture.request.dvbType),
                                              picture, format, options.output, screen);
                } catch (const std::exception& failure) {
                    failures[i] = failure.what();
                }
                progress.Step();
            }
        }
    };
    const unsigned workers = std::clamp<unsigned>(
        std::thread::hardware_concurrency(), 1,
        static_cast<unsigned>(std::max<std::size_t>(lineStarts.size() - 1, 1)));
    std::vector<std::thread> threads;
    for (unsigned i = 0; i < workers; ++i) threads.emplace_back(work);
    for (std::thread& thread : threads) thread.join();
    progress.Finish();

    int status = kExitOk;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        if (failures[i].empty()) continue;
        err << "quorvel-cli: " << pictures[i].fileName << " failed: " << failures[i] << "\n";
        status = kExitFailure;
    }
    const std::string index =
        IndexOf(pictures, failures, Sha256OfRecord(*input.record)).dump(2) + "\n";
    const WriteOutcome written = WriteFileAtomically(
        indexPath, {reinterpret_cast<const std::uint8_t*>(index.data()), index.size()});
    if (!written.ok) {
        err << "quorvel-cli: cannot write index.json: " << written.error << "\n";
        status = kExitFailure;
    }
    return status;
}

}  // namespace quorvel::cli
