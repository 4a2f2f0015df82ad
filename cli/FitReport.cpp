#include "cli/FitReport.h"

#include <QCryptographicHash>
#include <map>
#include <string_view>
#include <tuple>

#include "cli/ScreenNames.h"
#include "data/Formatting.h"
#include "data/TextEncoding.h"

namespace quorvel::cli {

namespace {

// A source text has no id of its own; its SHA-256 stays the same from batch to batch and from
// file to file.
std::string IdOf(const UnfitText& text, const std::string& utf8) {
    if (text.word) return "text-" + std::to_string(static_cast<int>(*text.word));
    const QByteArray digest =
        QCryptographicHash::hash(QByteArrayView(utf8.data(), static_cast<qsizetype>(utf8.size())),
                                 QCryptographicHash::Sha256);
    return "file-" + digest.toHex().left(8).toStdString();
}

// Widths are whole 64ths of a pixel: ten digits show them exactly.
std::string Number(double value) {
    return FormatPrintf("%.10g", value);
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

CsvTable FitReportTable(const FitReport& report) {
    CsvTable table{{"id", "language", "text", "English", "shown", "needed width (px)",
                    "box width (px)", "box height (px)", "font size (px)", "scale", "pictures"},
                   {}};
    for (const FitEntry& entry : report.entries) {
        std::string pictures;
        for (const std::string& file : entry.pictures) {
            pictures += (pictures.empty() ? "" : "; ") + file;
        }
        table.rows.push_back({entry.id, std::string(LanguageCode(entry.language)), entry.text,
                              entry.english, entry.shown, Number(entry.neededWidth),
                              Number(entry.boxWidth), Number(entry.boxHeight),
                              std::to_string(entry.fontSize), std::to_string(report.scale),
                              pictures});
    }
    return table;
}

std::string FitReportTsv(const CsvTable& table) {
    std::string tsv;
    const auto append = [&tsv](const std::vector<std::string>& fields) {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (i > 0) tsv += '\t';
            tsv += TsvField(fields[i]);
        }
        tsv += '\n';
    };
    append(table.columns);
    for (const std::vector<std::string>& row : table.rows) append(row);
    return tsv;
}

}  // namespace quorvel::cli
