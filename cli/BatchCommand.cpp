// `render --all`: every chosen screen of each file, drawn on every core, plus index.json, the
// contact sheet and, when asked, fit-report.csv and its table on standard output.
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <mutex>
#include <optional>
#include <thread>

#include "cli/CannotWrite.h"
#include "cli/CommaLists.h"
#include "cli/Commands.h"
#include "cli/ContactSheet.h"
#include "cli/EarlierPictures.h"
#include "cli/FitReportTable.h"
#include "cli/FolderLock.h"
#include "cli/PictureProvenance.h"
#include "cli/PictureText.h"
#include "cli/ScreenRender.h"
#include "cli/SmoothPicture.h"
#include "cli/SourceInput.h"
#include "cli/VectorOutput.h"
#include "data/TextEncoding.h"
#include "export/AtomicFile.h"
#include "export/CsvTable.h"
#include "export/PictureFile.h"
#include "figures/BatchIndex.h"
#include "figures/BatchPlan.h"
#include "figures/ScreenNames.h"

namespace quorvel::cli {

namespace {

struct BatchSource {
    std::unique_ptr<SourceRecord> record;
    std::string name;
    std::string sha256;
    CataloguesByDvb catalogues;
};

// Exactly one of the two formats is set.
struct BatchSettings {
    std::optional<PictureFormat> raster;
    std::optional<VectorFormat> vector;
    std::filesystem::path folder;
    int scale;
    bool smooth;
    int dpi;
};

// Draws and writes one picture, filling in its failure and its unfit texts.
void MakePicture(const BatchSource& source, const BatchSettings& settings, QImage& screen,
                 PictureOutcome& outcome) {
    const PlannedPicture& picture = outcome.planned;
    const Catalogue& catalogue = CatalogueOf(source.catalogues, picture.request.dvbType);
    // The screen's own drawing finds the texts that do not fit, for a smooth picture too.
    std::vector<int> missingIcons =
        RenderScreenInto(screen, catalogue, picture.request, &outcome.unfit);
    if (settings.vector && missingIcons.empty()) {
        const VectorOutcome written = WriteVectorScreen(catalogue, picture.request, *settings.vector,
                                                        PaperSize::Screen,
                                                        settings.folder / picture.fileName);
        missingIcons = written.missingIcons;
        if (missingIcons.empty() && !written.written.ok) outcome.failure = written.written.error;
    }
    RenderedScreen smooth;
    if (settings.smooth && missingIcons.empty()) {
        smooth = RenderSmoothScreen(catalogue, picture.request, settings.scale);
        missingIcons = smooth.missingIcons;
    }
    if (!missingIcons.empty()) {
        outcome.failure = "icon " + std::to_string(missingIcons.front()) + " could not be loaded";
        return;
    }
    if (settings.vector) return;
    PictureExtras extras{PixelRepeats(settings.scale, settings.smooth), settings.dpi, {}};
    if (settings.raster == PictureFormat::Png) {
        extras.texts = ProvenanceTexts(picture, source.name, source.sha256, settings.scale);
    }
    const WriteOutcome written =
        WritePicture(settings.smooth ? smooth.image : screen, *settings.raster,
                     settings.folder / picture.fileName, extras);
    if (!written.ok) outcome.failure = written.error;
}

// Where each list line's run of pictures starts in `pictures`, plus the end: the plan keeps a
// line's languages and views next to each other.
std::vector<std::size_t> LineStarts(const std::vector<PictureOutcome>& pictures) {
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const PlannedPicture& picture = pictures[i].planned;
        const PlannedPicture* before = i > 0 ? &pictures[i - 1].planned : nullptr;
        const bool sameLine = before != nullptr && before->source == picture.source &&
                              before->request.dvbType == picture.request.dvbType &&
                              before->request.screen == picture.request.screen &&
                              before->request.position == picture.request.position;
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

// Writes `text` to folder/name with the owner and mode of the file removed there at the start;
// false, with the reason on `err`, when it cannot.
bool WriteText(const std::filesystem::path& folder, const char* name, std::string_view text,
               const std::optional<FileAttributes>& earlier, std::ostream& err) {
    const WriteOutcome written = WriteTextAtomically(folder / name, text, earlier);
    if (!written.ok) ReportCannotWrite(err, name, written.error);
    return written.ok;
}

// Says how many earlier pictures this batch left beside its own, or with --clean removes them,
// keeping in `stale` those still there; false when one could not be removed.
bool SettleStalePictures(std::vector<std::string>& stale, const RenderOptions& options,
                         std::ostream& err) {
    if (stale.empty()) return true;
    if (!options.clean) {
        err << "quorvel-cli: " << options.output.string() << " holds " << stale.size()
            << " earlier picture(s) not in this batch; --clean removes them\n";
        return true;
    }
    const std::size_t count = stale.size();
    std::erase_if(stale, [&](const std::string& name) {
        std::error_code error;
        if (std::filesystem::remove(options.output / name, error)) return true;
        err << "quorvel-cli: cannot remove " << (options.output / name).string() << ": "
            << error.message() << "\n";
        return false;
    });
    if (stale.empty()) err << "quorvel-cli: removed " << count << " earlier picture(s)\n";
    return stale.empty();
}

PictureSelection SelectionOf(const RenderOptions& options) {
    return {ValuesNamed(kDvbLetters, ListedValues(options.dvb)),
            ValuesNamed(kScreenNames, ListedValues(options.screen)),
            ValuesNamed(kLanguageCodes, ListedValues(options.language))};
}

}  // namespace

int RunBatch(const RenderOptions& options, std::ostream& out, std::ostream& err) {
    const PictureSelection selection = SelectionOf(options);
    // The command line lets only these formats through.
    const BatchSettings settings{FormatFromName(options.format),
                                 VectorFormatFromName(options.format), options.output,
                                 options.scale, options.smooth, options.dpi};
    // Qt adds the font on this thread, before the drawing threads start.
    if (options.smooth && !SmoothFontReady(err)) return kExitFailure;
    // Every source is read before anything is written, so a bad one leaves the folder as it was.
    std::vector<BatchSource> sources;
    for (const std::filesystem::path& path : options.sources) {
        std::unique_ptr<SourceRecord> record = ReadSourceOrFail(path, err);
        if (!record) return kExitFailure;
        const std::string sha256 = Sha256OfRecord(*record);
        sources.push_back({std::move(record), Utf8FileName(path), sha256, {}});
        sources.back().catalogues = CataloguesForAllDvbTypes(*sources.back().record);
    }
    const std::vector<std::string> folders = SourceFolders(options.sources);
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
    const std::vector<std::string> listed = ListedPictures(options.output);
    // An index or sheet left from an earlier batch would describe pictures this one may not get
    // to write.
    std::array<std::optional<FileAttributes>, kBatchFiles.size()> earlier;
    for (std::size_t i = 0; i < kBatchFiles.size(); ++i) {
        const std::filesystem::path stale = options.output / kBatchFiles[i];
        earlier[i] = AttributesOf(stale);
        if (::unlink(stale.c_str()) != 0 && errno != ENOENT) {
            err << "quorvel-cli: cannot replace " << stale.string() << ": " << std::strerror(errno)
                << "\n";
            return kExitFailure;
        }
    }
    for (const std::string& folder : folders) {
        if (folder.empty()) continue;
        std::filesystem::create_directory(options.output / folder, error);
        if (!std::filesystem::is_directory(options.output / folder)) {
            err << "quorvel-cli: cannot make " << (options.output / folder).string() << "\n";
            return kExitFailure;
        }
    }

    std::vector<PictureOutcome> pictures;
    for (std::size_t s = 0; s < sources.size(); ++s) {
        for (PlannedPicture& planned :
             PlanAllPictures(sources[s].catalogues, options.format, selection, s, folders[s])) {
            pictures.push_back(
                {std::move(planned), sources[s].name, sources[s].sha256, {}, {}});
        }
    }
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
                // An exception leaving a thread would abort the whole process.
                try {
                    MakePicture(sources[pictures[i].planned.source], settings, screen, pictures[i]);
                } catch (const std::exception& failure) {
                    pictures[i].failure = failure.what();
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
    for (const PictureOutcome& picture : pictures) {
        if (picture.failure.empty()) continue;
        err << "quorvel-cli: " << picture.planned.fileName << " failed: " << picture.failure
            << "\n";
        status = kExitFailure;
    }
    std::vector<std::string> stale = StalePictures(options.output, listed, pictures);
    if (!SettleStalePictures(stale, options, err)) status = kExitFailure;
    const FitReport fit = CollectFitReport(pictures, settings.scale);
    const bool sheetWritten =
        WriteText(options.output, kBatchFiles[0], IndexJsonText(pictures, fit, stale), earlier[0],
                  err) &&
        WriteText(options.output, kBatchFiles[1], ContactSheetHtml(pictures, settings.scale),
                  earlier[1], err);
    if (!sheetWritten) status = kExitFailure;
    if (options.fitReport) {
        const CsvTable table = FitReportTable(fit);
        if (!WriteText(options.output, kBatchFiles[2], CsvText(table), earlier[2], err)) {
            status = kExitFailure;
        }
        out << FitReportTsv(table);
    }
    if (sheetWritten) {
        err << "quorvel-cli: contact sheet: " << (options.output / kBatchFiles[1]).string() << "\n";
    }
    return status;
}

}  // namespace quorvel::cli
