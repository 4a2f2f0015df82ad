#include "cli/ContactSheet.h"

#include <cstdio>
#include <map>
#include <tuple>

#include "cli/ScreenNames.h"
#include "data/TextEncoding.h"
#include "export/HtmlText.h"

namespace quorvel::cli {

namespace {

// Only what the page itself needs: no fonts, styles or scripts from elsewhere.
constexpr const char* kHead = R"(<!DOCTYPE html>
<html lang="en"><head><meta charset="utf-8"><title>Quorvel pictures</title>
<style>
body{font-family:sans-serif;margin:1em;background:#f4f4f4;color:#111}
h2{border-bottom:2px solid #335;margin-top:1.5em}
.entry{display:flex;flex-wrap:wrap;gap:1em;align-items:flex-start;margin:.5em 0 1.5em}
.entry>p{flex-basis:100%;margin:0;font-weight:bold}
figure{margin:0;padding:4px;background:#fff;border:3px solid transparent;position:relative}
figure img{display:block;width:320px;height:180px;background:#000}
figcaption{font-size:.85em}
a.document{display:flex;align-items:center;justify-content:center;width:320px;height:180px;background:#335;color:#fff;text-align:center}
figure.clipped{border-color:#e8a200}
figure.clipped::before{content:"text cut";position:absolute;top:8px;left:8px;background:#e8a200;color:#000;padding:0 4px;font-size:.8em}
figure.clipped ul{margin:.3em 0 0;padding-left:1.2em;font-size:.8em;max-width:320px}
figure.broken,figure.failed{border-color:#d00}
figure.broken::after{content:"picture did not load";color:#d00;font-weight:bold}
figure.failed p{color:#d00;max-width:320px}
</style></head><body>
<h1>Quorvel pictures</h1>
)";

// Loads pictures as they near the view and marks every one that does not decode; "#eager"
// loads them all at once (for checking a sheet).
constexpr const char* kTail = R"(<script>
(function () {
  var pictures = document.querySelectorAll("img[data-src]");
  function load(img) { if (!img.getAttribute("src")) img.src = img.getAttribute("data-src"); }
  pictures.forEach(function (img) {
    img.addEventListener("load", function () { img.setAttribute("data-decoded", img.naturalWidth); });
    img.addEventListener("error", function () {
      img.setAttribute("data-failed", "");
      img.closest("figure").classList.add("broken");
    });
  });
  if (location.hash === "#eager" || !("IntersectionObserver" in window)) {
    pictures.forEach(load);
    return;
  }
  var observer = new IntersectionObserver(function (entries) {
    entries.forEach(function (entry) {
      if (entry.isIntersecting) { load(entry.target); observer.unobserve(entry.target); }
    });
  }, { rootMargin: "800px" });
  pictures.forEach(function (img) { observer.observe(img); });
})();
</script>
</body></html>
)";

void AppendFigure(std::string& html, const PictureOutcome& picture) {
    const std::string file = Escaped(ValidUtf8(picture.planned.fileName));
    const std::string link = Escaped(UrlOf(picture.planned.fileName));
    const std::string language(LanguageCode(picture.planned.request.language));
    if (!picture.failure.empty()) {
        html += "<figure class=\"failed\"><p>" + file +
                " was not written: " + Escaped(picture.failure) + "</p><figcaption>" + language +
                "</figcaption></figure>\n";
        return;
    }
    html += picture.unfit.empty() ? "<figure>" : "<figure class=\"clipped\">";
    // The script gives a picture its source when it nears the view (a browser's own lazy loading
    // is not applied everywhere, headless chromium among them); without scripts, all load.
    const std::string alt = Escaped(picture.planned.entryName) + " (" + language + ")";
    // A browser shows no PDF as an image: its place holds a link that opens it.
    if (picture.planned.fileName.ends_with(".pdf")) {
        html += "<a class=\"document\" href=\"" + link + "\">PDF: open " + alt + "</a>";
    } else {
        html += "<a href=\"" + link + "\"><img width=\"320\" height=\"180\" data-src=\"" +
                link + "\" alt=\"" + alt + "\"><noscript><img width=\"320\" height=\"180\" src=\"" +
                link + "\" alt=\"" + alt + "\"></noscript></a>";
    }
    html += "<figcaption>" + language + " · " + file + "</figcaption>";
    if (!picture.unfit.empty()) {
        html += "<ul>";
        for (const UnfitText& text : picture.unfit) {
            html += "<li>“" + Escaped(Utf8FromUtf16(text.text)) + "” shows “" +
                    Escaped(Utf8FromUtf16(text.shown)) + "” in " + BoxText(text.box) + "</li>";
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

std::string ContactSheetHtml(const std::vector<PictureOutcome>& pictures) {
    // Groups in the order the batch planned them; within a group, one entry per list line.
    using GroupKey = std::tuple<std::size_t, DvbType, std::string>;
    std::vector<GroupKey> groupOrder;
    std::map<GroupKey, std::map<std::size_t, std::vector<const PictureOutcome*>>> groups;
    for (const PictureOutcome& picture : pictures) {
        const ScreenRequest& request = picture.planned.request;
        GroupKey key{picture.planned.source, request.dvbType, PictureScreenName(request)};
        auto [group, added] = groups.try_emplace(key);
        if (added) groupOrder.push_back(key);
        group->second[request.position].push_back(&picture);
    }

    std::string html = kHead;
    std::size_t shownSource = pictures.empty() ? 0 : pictures.front().planned.source + 1;
    for (const GroupKey& key : groupOrder) {
        const auto& entries = groups.at(key);
        const PictureOutcome& first = *entries.begin()->second.front();
        if (std::get<0>(key) != shownSource) {
            shownSource = std::get<0>(key);
            html += "<h2>" + Escaped(first.sourceName) + "</h2>\n";
        }
        html += "<h3>" + std::string(DvbDisplayName(std::get<1>(key))) + " · " + std::get<2>(key) +
                "</h3>\n";
        for (const auto& [position, languages] : entries) {
            char number[24];
            std::snprintf(number, sizeof number, "%02zu", position);
            html += "<div class=\"entry\"><p>" + std::string(number) + " · " +
                    Escaped(languages.front()->planned.entryName) + "</p>\n";
            for (const PictureOutcome* picture : languages) AppendFigure(html, *picture);
            html += "</div>\n";
        }
    }
    return html + kTail;
}

}  // namespace quorvel::cli
