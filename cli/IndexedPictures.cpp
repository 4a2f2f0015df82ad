#include "cli/IndexedPictures.h"

#include <QString>
#include <algorithm>
#include <optional>

namespace quorvel::cli {

namespace {

std::string TextOf(const Json& entry, const char* key) {
    const auto value = entry.find(key);
    return value != entry.end() && value->is_string() ? value->get<std::string>() : std::string();
}

template <typename Number>
Number NumberOf(const Json& entry, const char* key, Number fallback) {
    const auto value = entry.find(key);
    return value != entry.end() && value->is_number_integer() ? value->get<Number>() : fallback;
}

float CoordinateOf(const Json& box, const char* key) {
    const auto value = box.find(key);
    return value != box.end() && value->is_number() ? value->get<float>() : 0.0f;
}

std::u16string Utf16Of(const std::string& utf8) {
    return QString::fromStdString(utf8).toStdU16String();
}

std::vector<UnfitText> ClippedTextsOf(const Json& entry) {
    std::vector<UnfitText> texts;
    const auto list = entry.find("clippedTexts");
    if (list == entry.end() || !list->is_array()) return texts;
    for (const Json& text : *list) {
        if (!text.is_object()) continue;
        const auto box = text.find("box");
        const Json& where = box != text.end() && box->is_object() ? *box : Json::object();
        texts.push_back({Utf16Of(TextOf(text, "text")),
                         {CoordinateOf(where, "x"), CoordinateOf(where, "y"),
                          CoordinateOf(where, "width"), CoordinateOf(where, "height")},
                         Utf16Of(TextOf(text, "shown"))});
    }
    return texts;
}

std::optional<ScreenRequest> RequestOf(const Json& entry) {
    const std::optional<DvbType> dvbType = DvbFromDisplayName(TextOf(entry, "dvbType"));
    std::optional<ScreenRequest> screen = RequestOfScreenName(TextOf(entry, "screen"));
    const std::optional<Language> language = LanguageFromCode(TextOf(entry, "language"));
    if (!dvbType || !screen || !language) return std::nullopt;
    ScreenRequest& request = *screen;
    request.dvbType = *dvbType;
    request.position = NumberOf<std::size_t>(entry, "position", 0);
    request.language = *language;
    request.referenceLevel =
        NumberOf<std::uint8_t>(entry, "referenceLevel", request.referenceLevel);
    request.cursorX = NumberOf<int>(entry, "cursorX", request.cursorX);
    return screen;
}

}  // namespace

std::vector<PictureOutcome> IndexedPictures(const Json& index) {
    std::vector<PictureOutcome> pictures;
    const auto list = index.find("pictures");
    if (list == index.end() || !list->is_array()) return pictures;
    std::vector<std::string> sources;
    for (const Json& entry : *list) {
        if (!entry.is_object()) continue;
        const std::optional<ScreenRequest> request = RequestOf(entry);
        const std::string file = TextOf(entry, "file");
        if (!request || file.empty()) continue;
        const std::string source = TextOf(entry, "source");
        auto known = std::ranges::find(sources, source);
        if (known == sources.end()) known = sources.insert(sources.end(), source);
        const auto sourceNumber = static_cast<std::size_t>(known - sources.begin());
        pictures.push_back({{*request, file, TextOf(entry, "entryName"), sourceNumber},
                            source,
                            TextOf(entry, "recordSha256"),
                            {},
                            ClippedTextsOf(entry)});
    }
    return pictures;
}

int IndexedScale(const Json& index) {
    const auto fit = index.find("fit");
    return fit != index.end() && fit->is_object() ? NumberOf<int>(*fit, "scale", 1) : 1;
}

}  // namespace quorvel::cli
