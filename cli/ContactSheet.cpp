#include "cli/ContactSheet.h"

#include <algorithm>
#include <cstdio>

#include "cli/BoxText.h"
#include "cli/ContactSheetPage.h"
#include "data/TextEncoding.h"
#include "export/HtmlText.h"
#include "figures/ScreenNames.h"

namespace quorvel::cli {

namespace {

struct ScreenGroup {
    std::string id, name;
    std::vector<const PictureOutcome*> pictures;
};

struct DvbGroup {
    std::string id, name;
    std::vector<ScreenGroup> screens;
};

struct SourceGroup {
    std::string id, name, sha256;
    std::vector<DvbGroup> dvbTypes;
};

template <typename Group>
Group& FindOrAdd(std::vector<Group>& groups, const std::string& id, const std::string& name) {
    const auto found = std::ranges::find(groups, id, &Group::id);
    if (found != groups.end()) return *found;
    groups.push_back({});
    groups.back().id = id;
    groups.back().name = name;
    return groups.back();
}

// A merged index (after compare --accept) lists an added picture last: within its screen the
// sheet still shows it in its list line, by language.
bool ListOrder(const PictureOutcome* a, const PictureOutcome* b) {
    const ScreenRequest& first = a->planned.request;
    const ScreenRequest& second = b->planned.request;
    const auto rank = [](Language language) { return std::ranges::find(kLanguages, language); };
    return std::pair(first.position, rank(first.language)) <
           std::pair(second.position, rank(second.language));
}

// Groups in the order the batch planned them. Anchors start with the picture's folder, so
// several sources' groups have anchors of their own.
std::vector<SourceGroup> Grouped(const std::vector<PictureOutcome>& pictures) {
    std::vector<SourceGroup> sources;
    for (const PictureOutcome& picture : pictures) {
        const std::string& file = picture.planned.fileName;
        const std::string folder = file.substr(0, file.rfind('/') + 1);
        const ScreenRequest& request = picture.planned.request;
        const std::string dvb(DvbDisplayName(request.dvbType));
        const std::string screen = PictureScreenName(request);
        SourceGroup& source =
            FindOrAdd(sources, folder.empty() ? "source" : folder.substr(0, folder.size() - 1),
                      picture.sourceName);
        source.sha256 = picture.sourceSha256;
        DvbGroup& dvbType = FindOrAdd(source.dvbTypes, folder + dvb, dvb);
        FindOrAdd(dvbType.screens, folder + std::string(DvbLetter(request.dvbType)) + "-" + screen,
                  screen)
            .pictures.push_back(&picture);
    }
    for (SourceGroup& source : sources) {
        for (DvbGroup& dvbType : source.dvbTypes) {
            for (ScreenGroup& screen : dvbType.screens) {
                std::ranges::stable_sort(screen.pictures, ListOrder);
            }
        }
    }
    return sources;
}

// A fragment link matches the id EscapeHtml wrote, in which bytes that are no UTF-8 are U+FFFD.
std::string LinkTo(const std::string& id) {
    return "#" + HrefOf(ValidUtf8(id));
}

std::string SummaryLine(const std::vector<PictureOutcome>& pictures,
                        const std::vector<SourceGroup>& sources, int scale) {
    std::size_t written = 0, cutPictures = 0, cutTexts = 0;
    for (const PictureOutcome& picture : pictures) {
        if (!picture.failure.empty()) continue;
        ++written;
        cutPictures += picture.unfit.empty() ? 0 : 1;
        cutTexts += picture.unfit.size();
    }
    std::string line = "<p id=\"summary\">" + std::to_string(written) + " pictures";
    if (written != pictures.size()) {
        line += " (" + std::to_string(pictures.size() - written) + " not written)";
    }
    line += " · " + std::to_string(cutTexts) + " cut texts in " + std::to_string(cutPictures) +
            " pictures · scale " + std::to_string(scale);
    for (const SourceGroup& source : sources) {
        line += " · " + EscapeHtml(source.name) + " SHA-256 <code>" + EscapeHtml(source.sha256) +
                "</code>";
    }
    return line + "</p>\n";
}

std::string Options(const char* label, const char* name, const std::vector<std::string>& values) {
    std::string html = "<label>" + std::string(label) + " <select name=\"" + name +
                       "\"><option value=\"\">all</option>";
    for (const std::string& value : values) html += "<option>" + value + "</option>";
    return html + "</select></label>\n";
}

std::string Filters() {
    return "<form id=\"filters\">\n" + Options("Language", "language", NamesOf(kLanguageCodes)) +
           Options("DVB type", "dvb", NamesOf(kDvbDisplayNames)) +
           Options("Screen", "screen", PictureScreenNames()) +
           "<label><input type=\"checkbox\" name=\"cut\"> only cut texts</label>\n"
           "<output id=\"shown\"></output></form>\n";
}

std::string Contents(const std::vector<SourceGroup>& sources) {
    std::string html = "<nav id=\"contents\"><h2>Contents</h2><ul>\n";
    for (const SourceGroup& source : sources) {
        html += "<li data-for=\"" + EscapeHtml(source.id) + "\"><a href=\"" + LinkTo(source.id) +
                "\">" + EscapeHtml(source.name) + "</a><ul>\n";
        for (const DvbGroup& dvbType : source.dvbTypes) {
            html += "<li data-for=\"" + EscapeHtml(dvbType.id) + "\"><a href=\"" +
                    LinkTo(dvbType.id) + "\">" + dvbType.name + "</a><ul>\n";
            for (const ScreenGroup& screen : dvbType.screens) {
                html += "<li data-for=\"" + EscapeHtml(screen.id) + "\"><a href=\"" +
                        LinkTo(screen.id) + "\">" + screen.name + "</a> (<span class=\"count\">" +
                        std::to_string(screen.pictures.size()) +
                        "</span>)<details><summary>pictures</summary>";
                for (const PictureOutcome* picture : screen.pictures) {
                    const std::string& file = picture->planned.fileName;
                    html += "<a href=\"" + LinkTo(file) + "\">" + EscapeHtml(file) + "</a> ";
                }
                html += "</details></li>\n";
            }
            html += "</ul></li>\n";
        }
        html += "</ul></li>\n";
    }
    return html + "</ul></nav>\n";
}

void AppendFigure(std::string& html, const PictureOutcome& picture) {
    const std::string& fileName = picture.planned.fileName;
    const std::string file = EscapeHtml(fileName);
    const std::string link = HrefOf(fileName);
    const ScreenRequest& request = picture.planned.request;
    const std::string language(LanguageCode(request.language));
    char number[24];
    std::snprintf(number, sizeof number, "%02zu", request.position);
    const std::string title =
        std::string(number) + " · " + EscapeHtml(picture.planned.entryName) + " · " + language;
    const char* kind = !picture.failure.empty() ? " class=\"failed\""
                       : picture.unfit.empty()  ? ""
                                                : " class=\"clipped\"";
    html += "<figure id=\"" + file + "\"" + kind + " data-language=\"" + language +
            "\" data-dvb=\"" + std::string(DvbDisplayName(request.dvbType)) + "\" data-screen=\"" +
            PictureScreenName(request) + "\"><figcaption><span class=\"title\">" + title +
            "</span>" + (picture.unfit.empty() ? "" : "<span class=\"badge\">text cut</span>") +
            "</figcaption>";
    if (!picture.failure.empty()) {
        html +=
            "<p>" + file + " was not written: " + EscapeHtml(picture.failure) + "</p></figure>\n";
        return;
    }
    const std::string alt = EscapeHtml(picture.planned.entryName) + " (" + language + ")";
    // A browser shows no PDF as an image: its place holds a link that opens it.
    if (fileName.ends_with(".pdf")) {
        html += "<a class=\"document\" href=\"" + link + "\">PDF: open " + alt + "</a>";
    } else {
        // The script gives a picture its source when it nears the view (a browser's own lazy
        // loading is not applied everywhere, headless chromium among them); without scripts,
        // all load.
        html += "<a href=\"" + link + "\"><img width=\"320\" height=\"180\" data-src=\"" + link +
                "\" alt=\"" + alt + "\"><noscript><img width=\"320\" height=\"180\" src=\"" + link +
                "\" alt=\"" + alt + "\"></noscript></a>";
    }
    html += "<p class=\"file\">" + file + "</p>";
    if (!picture.unfit.empty()) {
        html += "<ul>";
        for (const UnfitText& text : picture.unfit) {
            html += "<li>“" + EscapeHtml(Utf8FromUtf16(text.text)) + "” shows “" +
                    EscapeHtml(Utf8FromUtf16(text.shown)) + "” in " + BoxText(text.box) + "</li>";
        }
        html += "</ul>";
    }
    html += "</figure>\n";
}

}  // namespace

std::string BoxText(const RectF& box) {
    char text[96];
    std::snprintf(text, sizeof text, "%g×%g at %g,%g", box.w, box.h, box.x, box.y);
    return text;
}

std::string ContactSheetHtml(const std::vector<PictureOutcome>& pictures, int scale) {
    const std::vector<SourceGroup> sources = Grouped(pictures);
    std::string html =
        "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\"><meta "
        "name=\"viewport\" content=\"width=device-width\"><title>Quorvel pictures</title>\n";
    html += kSheetStyle;
    html += "</head><body>\n<h1>Quorvel pictures</h1>\n" + SummaryLine(pictures, sources, scale) +
            Filters() + Contents(sources);
    for (const SourceGroup& source : sources) {
        html += "<section id=\"" + EscapeHtml(source.id) + "\"><h2>" + EscapeHtml(source.name) +
                "</h2>\n";
        for (const DvbGroup& dvbType : source.dvbTypes) {
            html +=
                "<section id=\"" + EscapeHtml(dvbType.id) + "\"><h2>" + dvbType.name + "</h2>\n";
            for (const ScreenGroup& screen : dvbType.screens) {
                html += "<section id=\"" + EscapeHtml(screen.id) + "\"><h3>" + dvbType.name +
                        " · " + screen.name + "</h3><div class=\"grid\">\n";
                for (const PictureOutcome* picture : screen.pictures) AppendFigure(html, *picture);
                html += "</div></section>\n";
            }
            html += "</section>\n";
        }
        html += "</section>\n";
    }
    return html + kSheetScript + "\n</body></html>\n";
}

}  // namespace quorvel::cli
