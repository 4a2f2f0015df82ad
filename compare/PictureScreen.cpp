#include "compare/PictureScreen.h"

#include <charconv>

#include "render/Geometry.h"

namespace quorvel::compare {

namespace {

std::optional<ScreenLayoutKind> LayoutOf(char dvbLetter, std::string_view screen) {
    if (screen == "measure") {
        if (dvbLetter == 's') return ScreenLayoutKind::SatelliteFinding;
        if (dvbLetter == 't' || dvbLetter == 'c') return ScreenLayoutKind::Measure;
        return std::nullopt;
    }
    if (screen == "spectrum") return ScreenLayoutKind::Spectrum;
    if (screen == "constellation") return ScreenLayoutKind::Constellation;
    if (screen == "constellation-more") return ScreenLayoutKind::ConstellationMore;
    return std::nullopt;
}

char LetterOfDvbNote(std::string_view note) {
    if (note == "DVB-S") return 's';
    if (note == "DVB-T") return 't';
    if (note == "DVB-C") return 'c';
    return '?';
}

bool AllDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// <s|t|c>-<screen>-<NN>-<en|fr>.<ext>; the screen name may itself hold a hyphen.
std::optional<ScreenLayoutKind> LayoutFromName(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || name.size() < 2 || name[1] != '-') return std::nullopt;
    const std::string_view stem = name.substr(0, dot);
    const std::size_t languageDash = stem.rfind('-');
    if (languageDash == std::string_view::npos) return std::nullopt;
    const std::string_view language = stem.substr(languageDash + 1);
    if (language != "en" && language != "fr") return std::nullopt;
    const std::size_t positionDash = stem.rfind('-', languageDash - 1);
    if (positionDash == std::string_view::npos || positionDash < 2 ||
        !AllDigits(stem.substr(positionDash + 1, languageDash - positionDash - 1))) {
        return std::nullopt;
    }
    return LayoutOf(name[0], stem.substr(2, positionDash - 2));
}

}  // namespace

PictureScreen ScreenOfPicture(std::string_view fileName, const Picture& picture) {
    PictureScreen screen;
    const std::string dvbNote = picture.Note("DVB type"), screenNote = picture.Note("Screen");
    if (!screenNote.empty()) {
        screen.layout = LayoutOf(LetterOfDvbNote(dvbNote), screenNote);
    } else {
        screen.layout = LayoutFromName(fileName);
    }
    const std::string scaleNote = picture.Note("Scale");
    int scale = 0;
    const auto [end, error] =
        std::from_chars(scaleNote.data(), scaleNote.data() + scaleNote.size(), scale);
    if (error == std::errc() && end == scaleNote.data() + scaleNote.size() && scale >= 1 &&
        scale <= 16) {
        screen.scale = scale;
    }
    return screen;
}

std::vector<PlacedRegion> PlacedRegions(const PictureScreen& screen) {
    std::vector<PlacedRegion> placed;
    if (!screen.layout) return placed;
    const int n = screen.scale;
    for (const NamedRegion& region : RegionsOf(*screen.layout)) {
        const IntRect& r = region.rect;
        placed.push_back({std::string(region.name), {r.x * n, r.y * n, r.w * n, r.h * n}});
    }
    return placed;
}

std::vector<std::string> RegionsTouched(const std::vector<PlacedRegion>& regions, IntRect area) {
    std::vector<std::string> names;
    for (const PlacedRegion& region : regions) {
        if (Intersects(region.rect, area)) names.push_back(region.name);
    }
    return names;
}

}  // namespace quorvel::compare
