// `compare`: approved pictures against new ones, printed, reported and optionally accepted.
#include <algorithm>
#include <charconv>
#include <ostream>

#include "cli/CommaLists.h"
#include "cli/Commands.h"
#include "cli/CompareAccept.h"
#include "cli/CompareReportFolder.h"
#include "compare/CompareReport.h"
#include "compare/CompareRun.h"

namespace quorvel::cli {

namespace fs = std::filesystem;
using namespace compare;

namespace {

// Areas listed one a line before the rest are only counted; report.json has them all.
constexpr std::size_t kAreasPrinted = 10;

std::optional<IntPoint> ParseCrop(const std::string& text) {
    const std::vector<std::string> parts = SplitList(text);
    if (parts.size() != 2) return std::nullopt;
    int values[2];
    for (int i = 0; i < 2; ++i) {
        const std::string& part = parts[static_cast<std::size_t>(i)];
        const auto [end, error] =
            std::from_chars(part.data(), part.data() + part.size(), values[i]);
        if (error != std::errc() || end != part.data() + part.size() || values[i] < 0) {
            return std::nullopt;
        }
    }
    return IntPoint{values[0], values[1]};
}

void ListRegions(std::ostream& out) {
    for (ScreenLayoutKind kind : kAllLayouts) {
        out << LayoutName(kind) << ":\n";
        for (const NamedRegion& region : RegionsOf(kind)) {
            const IntRect& r = region.rect;
            out << "  " << region.name << ": " << r.w << "x" << r.h << " at " << r.x << "," << r.y
                << "\n";
        }
    }
}

void PrintResult(const PairResult& result, std::ostream& out, std::ostream& err) {
    const std::string& name = result.pair.name;
    switch (result.verdict) {
        case Verdict::Same:
            return;
        case Verdict::Added:
        case Verdict::Removed:
            out << VerdictName(result.verdict) << " " << name << "\n";
            return;
        case Verdict::Unreadable:
            err << "quorvel-cli: " << result.error << "\n";
            return;
        case Verdict::SizeDiffers:
            out << "size differs " << name << ": approved " << result.approvedWidth << "x"
                << result.approvedHeight << ", new " << result.newWidth << "x" << result.newHeight
                << "\n";
            return;
        case Verdict::Different:
            break;
    }
    out << "different " << name << ": " << result.differingPixels
        << (result.differingPixels == 1 ? " pixel" : " pixels") << " in " << result.areas.size()
        << (result.areas.size() == 1 ? " area" : " areas");
    if (result.screen.layout) {
        out << " of the " << LayoutName(*result.screen.layout) << " screen";
        if (!result.regions.empty()) out << " (" << JoinedList(result.regions) << ")";
    }
    out << "\n";
    for (std::size_t i = 0; i < result.areas.size() && i < kAreasPrinted; ++i) {
        out << "  " << AreaLine(result.areas[i]) << "\n";
    }
    if (result.areas.size() > kAreasPrinted) {
        out << "  and " << result.areas.size() - kAreasPrinted << " more areas\n";
    }
    if (!result.error.empty()) err << "quorvel-cli: " << result.error << "\n";
}

// Reads the settings off the command line; empty when they are fine, otherwise why not.
std::string SettingsFrom(const CompareOptions& options, CompareSettings& settings) {
    settings.tolerance = options.tolerance;
    if (!options.ignore.empty()) {
        for (const std::string& name : SplitList(options.ignore)) {
            if (!IsRegionName(name)) {
                return "--ignore: no screen has a region named '" + name +
                       "' (quorvel-cli compare --regions lists them)";
            }
            settings.ignoredRegions.push_back(name);
        }
    }
    if (!options.crop.empty()) {
        settings.crop = ParseCrop(options.crop);
        if (!settings.crop)
            return "--crop wants X,Y of two whole numbers from 0, not " + options.crop;
        // What was compared is part of a picture; approving the whole one was never checked.
        if (options.accept) return "--accept cannot take --crop: a crop compares part of a picture";
    }
    return {};
}

}  // namespace

int RunCompare(const CompareOptions& options, std::ostream& out, std::ostream& err) {
    if (options.listRegions) {
        ListRegions(out);
        return kExitOk;
    }
    if (options.approved.empty() || options.fresh.empty()) {
        err << "quorvel-cli compare: APPROVED and NEW are required\n";
        return kExitUsage;
    }
    CompareSettings settings;
    if (const std::string wrong = SettingsFrom(options, settings); !wrong.empty()) {
        err << "quorvel-cli compare: " << wrong << "\n";
        return kExitUsage;
    }
    std::error_code error;
    for (const fs::path& path : {options.approved, options.fresh}) {
        if (!fs::exists(path, error)) {
            err << "quorvel-cli: cannot read " << path.string() << ": no such file or folder\n";
            return kExitFailure;
        }
    }
    const bool approvedFolder = fs::is_directory(options.approved, error);
    const bool folders = fs::is_directory(options.fresh, error);
    if (approvedFolder != folders) {
        err << "quorvel-cli compare: cannot compare a folder with a file: "
            << (folders ? options.approved : options.fresh).string() << " is a file, "
            << (folders ? options.fresh : options.approved).string() << " a folder\n";
        return kExitUsage;
    }
    ReportFolder reportFolder;
    if (!options.report.empty()) {
        reportFolder = CheckReportFolder(options.report, options.approved, options.fresh);
        if (!reportFolder.refusal.empty()) {
            err << "quorvel-cli compare: " << reportFolder.refusal << "\n";
            return kExitUsage;
        }
        fs::create_directories(options.report, error);
        if (!fs::is_directory(options.report, error)) {
            err << "quorvel-cli: -o " << options.report.string() << ": not a folder\n";
            return kExitFailure;
        }
        settings.pictureFolder = options.report;
    }

    std::vector<PicturePair> pairs;
    bool passedOver = false;
    if (folders) {
        PairListing listing =
            PairFolders(options.approved, options.fresh,
                        options.report.empty() ? std::nullopt : std::optional(options.report));
        if (!listing.error.empty()) {
            err << "quorvel-cli: " << listing.error << "\n";
            return kExitFailure;
        }
        for (const std::string& entry : listing.skipped)
            err << "quorvel-cli: skipped " << entry << "\n";
        passedOver = !listing.skipped.empty();
        pairs = std::move(listing.pairs);
    } else {
        pairs.push_back({options.fresh.filename().string(), options.approved, options.fresh});
    }

    const std::vector<PairResult> results = CompareAll(pairs, settings);
    const CompareSummary summary = Summarize(results);
    // With --accept, what differed or was added is approved when that works: only a picture that
    // stays different after it (a removed one, which is kept) or a failure gives status 1.
    const bool settled = options.accept ? summary.removed == 0 : summary.AllSame();
    int status = settled && !passedOver ? kExitOk : kExitFailure;
    for (const PairResult& result : results) {
        PrintResult(result, out, err);
        const bool compared =
            result.verdict == Verdict::Same || result.verdict == Verdict::Different;
        if (compared && !settings.ignoredRegions.empty() && !result.screen.layout) {
            err << "quorvel-cli: " << result.pair.name
                << ": screen unknown, so --ignore left nothing out\n";
        }
    }
    if (settings.pictureFolder) {
        const bool picturesLost = std::ranges::any_of(results, [](const PairResult& result) {
            return result.verdict == Verdict::Different && !result.error.empty();
        });
        if (const std::string failed = WriteReport(options.report, results, settings, summary);
            !failed.empty()) {
            err << "quorvel-cli: " << failed << "\n";
            status = kExitFailure;
        } else {
            RemoveEarlierFiles(options.report, reportFolder, results);
        }
        if (picturesLost) status = kExitFailure;
    }
    if (options.accept) {
        if (summary.unreadable > 0) {
            err << "quorvel-cli: nothing accepted: " << summary.unreadable
                << (summary.unreadable == 1 ? " pair" : " pairs") << " could not be compared\n";
            status = kExitFailure;
        } else if (!AcceptNewPictures(results, options.approved, options.fresh, folders, out,
                                      err)) {
            status = kExitFailure;
        }
        if (summary.removed > 0) {
            err << "quorvel-cli: removed pictures stay in " << options.approved.string()
                << ": --accept deletes nothing\n";
        }
    }
    out << "compared " << summary.compared << (summary.compared == 1 ? " pair: " : " pairs: ")
        << summary.same << " same, " << summary.different << " different, " << summary.added
        << " added, " << summary.removed << " removed";
    if (summary.unreadable > 0) out << ", " << summary.unreadable << " unreadable";
    out << "\n";
    return status;
}

}  // namespace quorvel::cli
