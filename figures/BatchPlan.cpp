#include "figures/BatchPlan.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <set>

#include "data/TextEncoding.h"
#include "figures/ScreenNames.h"

namespace quorvel {

namespace {

constexpr const char* kMoreSuffix = "-more";

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

template <typename Value>
bool Contains(const std::vector<Value>& values, Value value) {
    return std::find(values.begin(), values.end(), value) != values.end();
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

std::string EntryName(const Catalogue& catalogue, const ScreenRequest& request) {
    return Utf8FromText8(NameAt(catalogue, request.screen, request.position));
}

std::string PictureFileName(const ScreenRequest& request, std::string_view extension) {
    char position[24];
    std::snprintf(position, sizeof position, "%02zu", request.position);
    return std::string(DvbLetter(request.dvbType)) + "-" + PictureScreenName(request) + "-" +
           position + "-" + std::string(LanguageCode(request.language)) + "." +
           std::string(extension);
}

std::string PictureScreenName(const ScreenRequest& request) {
    return std::string(ScreenName(request.screen)) + (request.more ? kMoreSuffix : "");
}

std::vector<std::string> PictureScreenNames() {
    std::vector<std::string> names = NamesOf(kScreenNames);
    names.push_back(std::string(ScreenName(Category::Constellation)) + kMoreSuffix);
    return names;
}

std::optional<ScreenRequest> RequestOfScreenName(std::string_view name) {
    ScreenRequest request;
    request.more = name.ends_with(kMoreSuffix);
    if (request.more) name.remove_suffix(std::string_view(kMoreSuffix).size());
    const std::optional<Category> screen = ScreenFromName(name);
    if (!screen || (request.more && screen != Category::Constellation)) return std::nullopt;
    request.screen = *screen;
    return request;
}

std::optional<ScreenRequest> RequestOfPictureFileName(std::string_view fileName) {
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos || fileName.size() < 2 || fileName[1] != '-') {
        return std::nullopt;
    }
    const std::string_view stem = fileName.substr(0, dot);
    const std::size_t languageDash = stem.rfind('-');
    const std::size_t positionDash = stem.rfind('-', languageDash - 1);
    if (positionDash == std::string_view::npos || positionDash < 2) return std::nullopt;
    const std::string_view digits = stem.substr(positionDash + 1, languageDash - positionDash - 1);
    std::optional<ScreenRequest> request = RequestOfScreenName(stem.substr(2, positionDash - 2));
    const std::optional<DvbType> dvbType = DvbFromLetter(fileName.substr(0, 1));
    const std::optional<Language> language = LanguageFromCode(stem.substr(languageDash + 1));
    std::size_t position = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), position);
    if (!request || !dvbType || !language || error != std::errc() ||
        end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    request->dvbType = *dvbType;
    request->position = position;
    request->language = *language;
    return request;
}

std::string PictureFileNamePattern() {
    const auto choice = [](const std::vector<std::string>& names) {
        std::string text;
        for (const std::string& name : names) text += (text.empty() ? "<" : "|") + name;
        return text + ">";
    };
    return choice(NamesOf(kDvbLetters)) + "-" + choice(PictureScreenNames()) + "-<NN>-" +
           choice(NamesOf(kLanguageCodes));
}

std::vector<PlannedPicture> PlanAllPictures(const CataloguesByDvb& catalogues,
                                            std::string_view extension,
                                            const PictureSelection& selection, std::size_t source,
                                            const std::string& folder) {
    const std::string prefix = folder.empty() ? std::string() : folder + "/";
    std::vector<PlannedPicture> pictures;
    for (DvbType dvbType : kDvbTypes) {
        if (!Contains(selection.dvbTypes, dvbType)) continue;
        const Catalogue& catalogue = CatalogueOf(catalogues, dvbType);
        for (Category screen : kScreens) {
            if (!Contains(selection.screens, screen)) continue;
            for (std::size_t position = 0; position < catalogue.Count(screen); ++position) {
                const std::string entryName = Utf8FromText8(NameAt(catalogue, screen, position));
                for (bool more : {false, true}) {
                    if (more && screen != Category::Constellation) continue;
                    for (Language language : kLanguages) {
                        if (!Contains(selection.languages, language)) continue;
                        ScreenRequest request;
                        request.dvbType = dvbType;
                        request.screen = screen;
                        request.position = position;
                        request.language = language;
                        request.more = more;
                        pictures.push_back(
                            {request, prefix + PictureFileName(request, extension), entryName, source});
                    }
                }
            }
        }
    }
    return pictures;
}

std::vector<std::string> SourceFolders(const std::vector<std::filesystem::path>& sources) {
    if (sources.size() < 2) return std::vector<std::string>(sources.size());
    std::vector<std::string> folders;
    std::set<std::string> taken{"", ".", ".."};
    taken.insert(kBatchFiles.begin(), kBatchFiles.end());
    for (const std::filesystem::path& source : sources) {
        const std::string stem = source.stem().string();
        std::string folder = stem;
        for (int suffix = 2; !taken.insert(folder).second; ++suffix) {
            folder = stem + "-" + std::to_string(suffix);
        }
        folders.push_back(folder);
    }
    return folders;
}

}  // namespace quorvel
