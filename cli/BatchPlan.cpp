#include "cli/BatchPlan.h"

#include <cstdio>

#include "cli/PictureText.h"
#include "cli/ScreenNames.h"

namespace quorvel::cli {

namespace {

std::size_t DvbIndex(DvbType dvbType) {
    for (std::size_t i = 0; i < kDvbTypes.size(); ++i) {
        if (kDvbTypes[i] == dvbType) return i;
    }
    return 0;
}

const std::string& NameAt(const Catalogue& catalogue, Category screen, std::size_t position) {
    switch (screen) {
        case Category::Spectrum:
            return catalogue.spectrum.names[position];
        case Category::Constellation:
            return catalogue.constellation.names[position];
        default:
            return catalogue.measure.names[position];
    }
}

std::string FileName(const ScreenRequest& request, PictureFormat format) {
    char position[24];
    std::snprintf(position, sizeof position, "%02zu", request.position);
    return std::string(DvbLetter(request.dvbType)) + "-" + PictureScreenName(request) + "-" +
           position + "-" + std::string(LanguageCode(request.language)) + "." +
           std::string(FormatExtension(format));
}

}  // namespace

CataloguesByDvb CataloguesForAllDvbTypes(const SourceRecord& record) {
    CataloguesByDvb catalogues;
    for (DvbType dvbType : kDvbTypes) {
        catalogues[DvbIndex(dvbType)] = CatalogueFor(record, dvbType);
    }
    return catalogues;
}

const Catalogue& CatalogueOf(const CataloguesByDvb& catalogues, DvbType dvbType) {
    return *catalogues[DvbIndex(dvbType)];
}

std::string PictureScreenName(const ScreenRequest& request) {
    return std::string(ScreenName(request.screen)) + (request.more ? "-more" : "");
}

std::vector<PlannedPicture> PlanAllPictures(const CataloguesByDvb& catalogues,
                                            PictureFormat format) {
    std::vector<PlannedPicture> pictures;
    for (DvbType dvbType : kDvbTypes) {
        const Catalogue& catalogue = CatalogueOf(catalogues, dvbType);
        for (Category screen : kScreens) {
            for (std::size_t position = 0; position < catalogue.Count(screen); ++position) {
                const std::string entryName = Utf8FromText8(NameAt(catalogue, screen, position));
                for (bool more : {false, true}) {
                    if (more && screen != Category::Constellation) continue;
                    for (Language language : kLanguages) {
                        ScreenRequest request;
                        request.dvbType = dvbType;
                        request.screen = screen;
                        request.position = position;
                        request.language = language;
                        request.more = more;
                        pictures.push_back({request, FileName(request, format), entryName});
                    }
                }
            }
        }
    }
    return pictures;
}

}  // namespace quorvel::cli
