// The pictures `render --all` makes of a file: one per DVB type, family, listed entry and
// language, plus the More view of each constellation entry, with their file names.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "cli/ScreenRender.h"

namespace quorvel::cli {

struct PlannedPicture {
    ScreenRequest request;
    std::string fileName;   // <s|t|c>-<screen>-<NN>-<en|fr>.<ext>
    std::string entryName;  // UTF-8, as the drop-down list shows it
};

// One catalogue per DVB type, in the order of kDvbTypes.
using CataloguesByDvb = std::array<std::unique_ptr<Catalogue>, 3>;

CataloguesByDvb CataloguesForAllDvbTypes(const SourceRecord& record);
const Catalogue& CatalogueOf(const CataloguesByDvb& catalogues, DvbType dvbType);

std::vector<PlannedPicture> PlanAllPictures(const CataloguesByDvb& catalogues,
                                            PictureFormat format);

// "measure", "spectrum", "constellation" or "constellation-more".
std::string PictureScreenName(const ScreenRequest& request);

}  // namespace quorvel::cli
