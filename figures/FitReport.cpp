#include "figures/FitReport.h"

#include <cstdint>
#include <cstdio>
#include <map>
#include <tuple>

#include "data/TextEncoding.h"
#include "figures/BatchIndex.h"
#include "figures/ScreenNames.h"

namespace quorvel {

namespace {

// A source text has no id of its own; a hash of it stays the same from batch to batch and from
// file to file.
std::string IdOf(const UnfitText& text, const std::string& utf8) {
    if (text.word) return "text-" + std::to_string(static_cast<int>(*text.word));
    std::uint32_t hash = 2166136261u;
    for (const char byte : utf8) {
        hash = (hash ^ static_cast<unsigned char>(byte)) * 16777619u;
    }
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08x", static_cast<unsigned>(hash));
    return std::string("file-") + hex;
}

}  // namespace

FitReport CollectFitReport(const std::vector<PictureOutcome>& pictures, int scale) {
    using Key =
        std::tuple<std::string, Language, std::u16string, float, float, int, std::u16string>;
    FitReport report{scale, {}};
    std::map<Key, std::size_t> found;
    for (const PictureOutcome& picture : pictures) {
        if (!picture.failure.empty()) continue;
        const Language language = picture.planned.request.language;
        const std::string file = ValidUtf8(picture.planned.fileName);
        for (const UnfitText& text : picture.unfit) {
            const std::string utf8 = Utf8FromUtf16(text.text);
            std::string id = IdOf(text, utf8);
            const auto [at, added] = found.try_emplace(
                Key{id, language, text.text, text.box.w, text.box.h, text.pixelSize, text.shown},
                report.entries.size());
            if (added) {
                const std::string english =
                    text.word ? Utf8FromUtf16(ScreenText(Language::English, *text.word)) : utf8;
                report.entries.push_back({.id = std::move(id),
                                          .language = language,
                                          .text = utf8,
                                          .english = english,
                                          .shown = Utf8FromUtf16(text.shown),
                                          .neededWidth = text.neededWidth * scale,
                                          .boxWidth = double{text.box.w} * scale,
                                          .boxHeight = double{text.box.h} * scale,
                                          .fontSize = text.pixelSize * scale,
                                          .pictures = {}});
            }
            // Two boxes of one size in one picture may cut the same text: the picture is named once.
            std::vector<std::string>& listed = report.entries[at->second].pictures;
            if (listed.empty() || listed.back() != file) listed.push_back(file);
        }
    }
    return report;
}

nlohmann::ordered_json FitReportJson(const FitReport& report) {
    nlohmann::ordered_json texts = nlohmann::ordered_json::array();
    for (const FitEntry& entry : report.entries) {
        texts.push_back({{"id", entry.id},
                         {"language", std::string(LanguageCode(entry.language))},
                         {"text", entry.text},
                         {"english", entry.english},
                         {"shown", entry.shown},
                         {"neededWidth", entry.neededWidth},
                         {"box", {{"width", entry.boxWidth}, {"height", entry.boxHeight}}},
                         {"fontSize", entry.fontSize},
                         {"pictures", entry.pictures}});
    }
    return {{"scale", report.scale}, {"texts", texts}};
}

}  // namespace quorvel
