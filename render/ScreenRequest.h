// A screen asked for by name rather than by keys: the DVB type, the family, the line of its list
// and the settings, turned into the state and the paint passes the window would reach for it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "data/Catalogue.h"
#include "data/ScreenState.h"
#include "data/SourceRecord.h"
#include "render/ScreenPass.h"

namespace quorvel {

struct ScreenRequest {
    DvbType dvbType = DvbType::Satellite;
    Category screen = Category::Measure;
    std::size_t position = 0;  // line of the family's drop-down list
    Language language = Language::English;
    bool more = false;  // the Constellation More view, as F1 shows it over the diagram view
    std::uint8_t referenceLevel = 40;
    int cursorX = 101;
};

// The catalogue the window builds for `dvbType` from a freshly loaded record.
std::unique_ptr<Catalogue> CatalogueFor(const SourceRecord& record, DvbType dvbType);

// The window's state right after a rebuild, then switched to the requested screen and line.
// `request.position` must be below the family's count.
ScreenState StateFor(const Catalogue& catalogue, const ScreenRequest& request);

// The passes the window paints to show the request: the whole screen, then for the More view the
// band F1 repaints (0, 240, 1280, 480) with the More view on.
std::vector<ScreenPass> PassesFor(const Catalogue& catalogue, const ScreenRequest& request);

}  // namespace quorvel
