#include "compare/ReportAreas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "export/HtmlText.h"

namespace quorvel::compare {

namespace {

// Picture pixels shown around an area, so a reviewer sees what the change sits in.
constexpr int kMargin = 8;
// The larger side of an enlargement comes near this many page pixels, at most kMostZoom times
// the picture's pixels.
constexpr double kEnlargedSide = 240;
constexpr double kMostZoom = 16;

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4g", value);
    return text;
}

std::string BoxStyle(double left, double top, double width, double height, const char* unit) {
    return "left:" + Number(left) + unit + ";top:" + Number(top) + unit +
           ";width:" + Number(width) + unit + ";height:" + Number(height) + unit;
}

std::string AreaBox(const std::string& style) {
    return "<span class=\"area\" style=\"" + style + "\"></span>";
}

struct Enlargement {
    IntRect shown;  // the area and its margin, inside the picture
    double zoom;    // page pixels per picture pixel; whole above 1, so pixels stay alike
};

Enlargement EnlargementOf(IntRect area, int width, int height) {
    const int left = std::max(0, area.x - kMargin), top = std::max(0, area.y - kMargin);
    const int right = std::min(width, area.x + area.w + kMargin);
    const int bottom = std::min(height, area.y + area.h + kMargin);
    const IntRect shown{left, top, right - left, bottom - top};
    const double zoom = std::min(kMostZoom, kEnlargedSide / std::max(shown.w, shown.h));
    return {shown, zoom >= 1 ? std::floor(zoom) : zoom};
}

// The whole picture scaled and moved inside a box the size of the enlargement, which clips it.
std::string Enlarged(const std::string& picture, const char* role, const Enlargement& view,
                     IntRect area, int pictureWidth) {
    const double zoom = view.zoom;
    return "<figure class=\"zoom\"><div style=\"width:" + Number(view.shown.w * zoom) +
           "px;height:" + Number(view.shown.h * zoom) + "px\"><img class=\"zoomed\" src=\"" +
           HrefOf(picture) + "\" alt=\"" + role +
           ", enlarged\" style=\"width:" + Number(pictureWidth * zoom) +
           "px;left:" + Number(-view.shown.x * zoom) + "px;top:" + Number(-view.shown.y * zoom) +
           "px\">" +
           AreaBox(BoxStyle((area.x - view.shown.x) * zoom, (area.y - view.shown.y) * zoom,
                            area.w * zoom, area.h * zoom, "px")) +
           "</div><figcaption>" + role + "</figcaption></figure>";
}

std::size_t ShownCount(const PairResult& result) {
    return std::min(result.areas.size(), kAreasShown);
}

}  // namespace

std::string OutlinedPicture(const PairResult& result) {
    std::string html = "<div class=\"outlined\"><img class=\"new\" src=\"" +
                       HrefOf(result.newPicture) + "\" alt=\"new\">";
    const double width = result.newWidth, height = result.newHeight;
    for (std::size_t i = 0; i < ShownCount(result); ++i) {
        const IntRect& r = result.areas[i].rect;
        html += AreaBox(BoxStyle(100 * r.x / width, 100 * r.y / height, 100 * r.w / width,
                                 100 * r.h / height, "%"));
    }
    return html + "</div>";
}

std::string EnlargedAreas(const PairResult& result) {
    std::string html = "<ol class=\"areas\">\n";
    for (std::size_t i = 0; i < ShownCount(result); ++i) {
        const DiffArea& area = result.areas[i];
        const Enlargement view = EnlargementOf(area.rect, result.newWidth, result.newHeight);
        html += "<li>" +
                Enlarged(result.approvedPicture, "approved", view, area.rect, result.newWidth) +
                Enlarged(result.newPicture, "new", view, area.rect, result.newWidth) + "<p>" +
                EscapeHtml(AreaLine(area)) + "</p></li>\n";
    }
    html += "</ol>\n";
    if (result.areas.size() > kAreasShown) {
        html += "<p>and " + std::to_string(result.areas.size() - kAreasShown) +
                " more areas, listed in report.json</p>\n";
    }
    return html;
}

}  // namespace quorvel::compare
