#include "figures/BatchIndex.h"

#include <nlohmann/json.hpp>

#include "Version.h"
#include "data/TextEncoding.h"
#include "figures/ScreenNames.h"

namespace quorvel {

namespace {

nlohmann::ordered_json UnfitJson(const std::vector<UnfitText>& unfit) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const UnfitText& text : unfit) {
        list.push_back({{"text", Utf8FromUtf16(text.text)},
                        {"box",
                         {{"x", text.box.x},
                          {"y", text.box.y},
                          {"width", text.box.w},
                          {"height", text.box.h}}},
                        {"shown", Utf8FromUtf16(text.shown)}});
    }
    return list;
}

}  // namespace

std::string IndexJsonText(const std::vector<PictureOutcome>& pictures, const FitReport& fit,
                          const std::vector<std::string>& earlier) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    nlohmann::ordered_json failed = nlohmann::ordered_json::array();
    for (const PictureOutcome& picture : pictures) {
        if (!picture.failure.empty()) {
            failed.push_back(
                {{"file", ValidUtf8(picture.planned.fileName)}, {"error", picture.failure}});
            continue;
        }
        const ScreenRequest& request = picture.planned.request;
        list.push_back({{"file", ValidUtf8(picture.planned.fileName)},
                        {"source", picture.sourceName},
                        {"dvbType", DvbDisplayName(request.dvbType)},
                        {"screen", PictureScreenName(request)},
                        {"position", request.position},
                        {"entryName", picture.planned.entryName},
                        {"language", LanguageCode(request.language)},
                        {"referenceLevel", request.referenceLevel},
                        {"cursorX", request.cursorX},
                        {"recordSha256", picture.sourceSha256},
                        {"toolVersion", kVersion},
                        {"clippedTexts", UnfitJson(picture.unfit)}});
    }
    const nlohmann::ordered_json index{{"pictures", list},
                                       {"failed", failed},
                                       {"fit", FitReportJson(fit)},
                                       {"earlier", earlier}};
    // A file name that is no UTF-8 is shown with U+FFFD where JSON cannot hold its bytes.
    return index.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

}  // namespace quorvel
