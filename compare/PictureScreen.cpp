#include "compare/PictureScreen.h"

#include <charconv>

#include "figures/BatchPlan.h"
#include "render/Geometry.h"

namespace quorvel::compare {

namespace {

// The measure screen of DVB-S is the satellite-finding screen; the other screens look alike
// whatever the DVB type, so an unknown one still tells their layout.
std::optional<ScreenLayoutKind> LayoutOf(std::optional<DvbType> dvbType,
                                         const std::optional<ScreenRequest>& screen) {
    if (!screen) return std::nullopt;
    switch (screen->screen) {
        case Category::Measure:
            if (!dvbType) return std::nullopt;
            return dvbType == DvbType::Satellite ? ScreenLayoutKind::SatelliteFinding
                                                 : ScreenLayoutKind::Measure;
        case Category::Spectrum:
            return ScreenLayoutKind::Spectrum;
        case Category::Constellation:
            return screen->more ? ScreenLayoutKind::ConstellationMore
                                : ScreenLayoutKind::Constellation;
        case Category::None:
            break;
    }
    return std::nullopt;
}

}  // namespace

PictureScreen ScreenOfPicture(std::string_view fileName, const Picture& picture) {
    PictureScreen screen;
    const std::string dvbNote = picture.Note("DVB type"), screenNote = picture.Note("Screen");
    if (!screenNote.empty()) {
        screen.layout = LayoutOf(DvbFromDisplayName(dvbNote), RequestOfScreenName(screenNote));
    } else {
        const std::optional<ScreenRequest> named = RequestOfPictureFileName(fileName);
        screen.layout = LayoutOf(named ? std::optional(named->dvbType) : std::nullopt, named);
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
