// The pictures `render --all` makes of a file: one per DVB type, family, listed entry and
// language, plus the More view of each constellation entry, with their file names.
#pragma once

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "figures/ScreenNames.h"
#include "render/ScreenRequest.h"

namespace quorvel {

struct PlannedPicture {
    ScreenRequest request;
    std::string fileName;    // [<folder>/]<s|t|c>-<screen>-<NN>-<en|fr>.<ext>
    std::string entryName;   // UTF-8, as the drop-down list shows it
    std::size_t source = 0;  // which of the batch's source files
};

// What a batch draws of each file; every DVB type, screen and language unless narrowed. The
// pictures keep the plan's order whatever order these are given in.
struct PictureSelection {
    std::vector<DvbType> dvbTypes{kDvbTypes.begin(), kDvbTypes.end()};
    std::vector<Category> screens{kScreens.begin(), kScreens.end()};
    std::vector<Language> languages{kLanguages.begin(), kLanguages.end()};
};

// One catalogue per DVB type, in the order of kDvbTypes.
using CataloguesByDvb = std::array<std::unique_ptr<Catalogue>, 3>;

CataloguesByDvb CataloguesForAllDvbTypes(const SourceRecord& record);
const Catalogue& CatalogueOf(const CataloguesByDvb& catalogues, DvbType dvbType);

// The pictures of source `source`, named inside `folder` (empty: the output folder itself),
// their files ending in `.extension`.
std::vector<PlannedPicture> PlanAllPictures(const CataloguesByDvb& catalogues,
                                            std::string_view extension,
                                            const PictureSelection& selection = {},
                                            std::size_t source = 0, const std::string& folder = {});

// What a batch writes at the top of its output folder besides the pictures and their folders.
inline constexpr std::array<const char*, 3> kBatchFiles = {"index.json", "index.html",
                                                           "fit-report.csv"};

// The folder each source's pictures go in: none for a single file, otherwise the file's stem,
// with -2, -3... added to a stem an earlier file already took, and to one that would name no
// folder of its own ("", ".", "..") or one of kBatchFiles.
std::vector<std::string> SourceFolders(const std::vector<std::filesystem::path>& sources);

// The request's line of its family's list in UTF-8; `request.position` must be below the count.
std::string EntryName(const Catalogue& catalogue, const ScreenRequest& request);

// "<s|t|c>-<screen>-<NN>-<en|fr>.<ext>": the name a batch gives the request's picture.
std::string PictureFileName(const ScreenRequest& request, std::string_view extension);

// "measure", "spectrum", "constellation" or "constellation-more".
std::string PictureScreenName(const ScreenRequest& request);

// Every name PictureScreenName gives, in the plan's order.
std::vector<std::string> PictureScreenNames();

// A request for the screen and view a PictureScreenName names; nothing for another name.
std::optional<ScreenRequest> RequestOfScreenName(std::string_view name);

// The DVB type, screen, view, position and language of a name PictureFileName gave, whatever
// its extension and however many digits its position has; nothing for any other name.
std::optional<ScreenRequest> RequestOfPictureFileName(std::string_view fileName);

// "<s|t|c>-<measure|...|constellation-more>-<NN>-<en|fr>": PictureFileName's scheme in a help text.
std::string PictureFileNamePattern();

}  // namespace quorvel
