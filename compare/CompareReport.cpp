#include "compare/CompareReport.h"

#include <algorithm>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "compare/ReportAreas.h"
#include "export/AtomicFile.h"
#include "export/HtmlText.h"

namespace quorvel::compare {

namespace {

nlohmann::ordered_json RectJson(const IntRect& rect) {
    return {{"x", rect.x}, {"y", rect.y}, {"width", rect.w}, {"height", rect.h}};
}

nlohmann::ordered_json PairJson(const PairResult& result) {
    nlohmann::ordered_json pair = {{"name", result.pair.name},
                                   {"verdict", VerdictName(result.verdict)}};
    if (result.pair.approved) pair["approved"] = result.pair.approved->string();
    if (result.pair.fresh) pair["new"] = result.pair.fresh->string();
    if (!result.error.empty()) pair["error"] = result.error;
    if (result.verdict == Verdict::Added || result.verdict == Verdict::Removed ||
        result.verdict == Verdict::Unreadable) {
        return pair;
    }
    pair["approvedSize"] = {result.approvedWidth, result.approvedHeight};
    pair["newSize"] = {result.newWidth, result.newHeight};
    pair["screen"] = result.screen.layout
                         ? nlohmann::ordered_json(LayoutName(*result.screen.layout))
                         : nlohmann::ordered_json(nullptr);
    pair["scale"] = result.screen.scale;
    if (!result.title.empty()) pair["title"] = result.title;
    if (!result.entry.empty()) pair["entry"] = result.entry;
    pair["differingPixels"] = result.differingPixels;
    nlohmann::ordered_json areas = nlohmann::ordered_json::array();
    for (const DiffArea& area : result.areas) {
        nlohmann::ordered_json entry = RectJson(area.rect);
        entry["regions"] = area.regions;
        areas.push_back(std::move(entry));
    }
    pair["areas"] = std::move(areas);
    pair["regions"] = result.regions;
    if (!result.differencePicture.empty()) {
        pair["pictures"] = {{"approved", result.approvedPicture},
                            {"new", result.newPicture},
                            {"difference", result.differencePicture}};
    }
    return pair;
}

// Names come from the file system as bytes, which need not be UTF-8; the page's EscapeHtml and the
// JSON writer both put U+FFFD for them, so report.json and the page agree.
constexpr auto kReplaceBadUtf8 = nlohmann::ordered_json::error_handler_t::replace;

std::string ImageTag(const std::string& path, const char* role) {
    return "<img class=\"" + std::string(role) + "\" src=\"" + HrefOf(path) + "\" alt=\"" + role +
           "\">";
}

std::string Link(const std::string& path, const char* text) {
    return "<a href=\"" + HrefOf(path) + "\">" + text + "</a>";
}

// The screen's title and list entry, as the picture's notes give them.
std::string EntryText(const PairResult& result) {
    if (result.title.empty() || result.entry.empty()) return result.title + result.entry;
    return result.title + " · " + result.entry;
}

int Rank(Verdict verdict) {
    switch (verdict) {
        case Verdict::Different:
        case Verdict::SizeDiffers:
            return 0;
        case Verdict::Unreadable:
            return 1;
        case Verdict::Added:
        case Verdict::Removed:
            return 2;
        case Verdict::Same:
            return 3;
    }
    return 3;
}

std::string AreaText(const PairResult& result) {
    std::string text = std::to_string(result.differingPixels) + " differing pixels in " +
                       std::to_string(result.areas.size()) + " areas";
    if (!result.regions.empty()) {
        text += ": ";
        for (std::size_t i = 0; i < result.regions.size(); ++i) {
            text += (i ? ", " : "") + result.regions[i];
        }
    }
    return text;
}

std::string PairSection(const PairResult& result) {
    std::string html = "<section class=\"pair\">\n<h2>" + EscapeHtml(result.pair.name) +
                       " <small>" + std::string(VerdictName(result.verdict)) + "</small></h2>\n";
    if (const std::string entry = EntryText(result); !entry.empty())
        html += "<p class=\"entry\">" + EscapeHtml(entry) + "</p>\n";
    if (result.verdict == Verdict::Different)
        html += "<p>" + EscapeHtml(AreaText(result)) + "</p>\n";
    if (result.verdict == Verdict::SizeDiffers) {
        html += "<p>approved " + std::to_string(result.approvedWidth) + "x" +
                std::to_string(result.approvedHeight) + ", new " + std::to_string(result.newWidth) +
                "x" + std::to_string(result.newHeight) + "</p>\n";
    }
    if (!result.error.empty()) html += "<p class=\"error\">" + EscapeHtml(result.error) + "</p>\n";
    if (!result.differencePicture.empty()) {
        html +=
            "<div class=\"row\">\n<figure class=\"flip\" title=\"hover or click to see the new "
            "picture\" onclick=\"this.classList.toggle('flipped')\">" +
            ImageTag(result.newPicture, "new") + ImageTag(result.approvedPicture, "approved") +
            "<figcaption>approved (hover or click: new)</figcaption></figure>\n<figure>" +
            OutlinedPicture(result) +
            "<figcaption>new, changed areas outlined</figcaption></figure>\n<figure>" +
            ImageTag(result.differencePicture, "difference") +
            "<figcaption>difference</figcaption></figure>\n</div>\n<p class=\"links\">" +
            Link(result.approvedPicture, "approved picture, full size") + " · " +
            Link(result.newPicture, "new picture, full size") + "</p>\n" + EnlargedAreas(result);
    }
    return html + "</section>\n";
}

constexpr const char* kStyle = R"(<style>
body { font-family: sans-serif; margin: 1em; background: #f4f4f4; }
.pair { background: #fff; margin: 0 0 1em; padding: 0.5em 1em; }
.row { display: flex; gap: 1em; }
figure { margin: 0; flex: 1; }
figure img { width: 100%; image-rendering: pixelated; display: block; }
.flip { display: grid; cursor: pointer; }
.flip img { grid-area: 1 / 1; }
.flip:hover img.approved, .flip.flipped img.approved { visibility: hidden; }
.outlined { position: relative; }
.area { position: absolute; outline: 2px solid #f0f; outline-offset: 2px; }
.areas { display: flex; flex-wrap: wrap; gap: 1em; padding-left: 1.5em; }
.areas li { background: #eee; padding: 0.5em; }
.areas p { margin: 0.3em 0 0; }
figure.zoom { display: inline-block; margin-right: 0.5em; }
.zoom div { position: relative; overflow: hidden; }
.zoom img.zoomed { position: absolute; max-width: none; image-rendering: pixelated; }
.entry { font-weight: bold; }
.error { color: #b00; }
img.missing { outline: 4px solid #b00; min-height: 2em; }
li.same { color: #666; }
</style>
)";

// Marks each picture with the width it decoded to, and a picture that did not load as missing, so
// a moved or deleted report file shows on the page (and a test can read it from the DOM).
constexpr const char* kDecodedMarks = R"(<script>
window.addEventListener("load", () => {
  for (const img of document.images) {
    img.dataset.width = img.naturalWidth;
    if (!img.complete || img.naturalWidth === 0) img.classList.add("missing");
  }
});
</script>
)";

}  // namespace

CompareSummary Summarize(const std::vector<PairResult>& results) {
    CompareSummary summary;
    for (const PairResult& result : results) {
        switch (result.verdict) {
            case Verdict::Same:
                ++summary.same;
                break;
            case Verdict::Different:
            case Verdict::SizeDiffers:
                ++summary.different;
                break;
            case Verdict::Added:
                ++summary.added;
                break;
            case Verdict::Removed:
                ++summary.removed;
                break;
            case Verdict::Unreadable:
                ++summary.unreadable;
                break;
        }
    }
    summary.compared = summary.same + summary.different + summary.unreadable;
    return summary;
}

std::string ReportJson(const std::vector<PairResult>& results, const CompareSettings& settings,
                       const CompareSummary& summary) {
    nlohmann::ordered_json pairs = nlohmann::ordered_json::array();
    for (const PairResult& result : results) pairs.push_back(PairJson(result));
    nlohmann::ordered_json crop = nullptr;
    if (settings.crop) crop = {settings.crop->x, settings.crop->y};
    const nlohmann::ordered_json document = {
        {"settings",
         {{"tolerance", settings.tolerance}, {"ignore", settings.ignoredRegions}, {"crop", crop}}},
        {"pairs", std::move(pairs)},
        {"summary",
         {{"compared", summary.compared},
          {"same", summary.same},
          {"different", summary.different},
          {"added", summary.added},
          {"removed", summary.removed},
          {"unreadable", summary.unreadable}}}};
    return document.dump(2, ' ', false, kReplaceBadUtf8) + "\n";
}

std::string ReportPage(const std::vector<PairResult>& results, const CompareSummary& summary) {
    std::vector<const PairResult*> ordered;
    for (const PairResult& result : results) ordered.push_back(&result);
    std::ranges::stable_sort(ordered, {}, [](const PairResult* r) { return Rank(r->verdict); });

    std::string html =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<title>Picture comparison</title>\n" +
        std::string(kStyle) +
        "</head>\n<body>\n"
        "<h1>Picture comparison</h1>\n<p id=\"summary\">" +
        std::to_string(summary.compared) + " pairs compared: " + std::to_string(summary.same) +
        " same, " + std::to_string(summary.different) + " different, " +
        std::to_string(summary.added) + " added, " + std::to_string(summary.removed) +
        " removed, " + std::to_string(summary.unreadable) + " unreadable</p>\n";
    bool sameListOpen = false;
    for (const PairResult* result : ordered) {
        if (result->verdict != Verdict::Same) {
            html += PairSection(*result);
            continue;
        }
        if (!sameListOpen) html += "<h2>Same</h2>\n<ul>\n";
        sameListOpen = true;
        html += "<li class=\"same\">" + EscapeHtml(result->pair.name) + "</li>\n";
    }
    if (sameListOpen) html += "</ul>\n";
    return html + kDecodedMarks + "</body>\n</html>\n";
}

std::string WriteReport(const std::filesystem::path& folder, const std::vector<PairResult>& results,
                        const CompareSettings& settings, const CompareSummary& summary) {
    const std::pair<const char*, std::string> files[] = {
        {"report.json", ReportJson(results, settings, summary)},
        {"index.html", ReportPage(results, summary)}};
    for (const auto& [name, text] : files) {
        const WriteOutcome written = WriteTextAtomically(folder / name, text);
        if (!written.ok) return CannotWrite(folder / name, written.error);
    }
    return {};
}

}  // namespace quorvel::compare
