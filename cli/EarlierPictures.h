// Pictures an earlier batch left in the output folder that this batch does not write again. Only
// files that batch listed in its index.json count: anything else in the folder is the user's.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "figures/BatchIndex.h"

namespace quorvel::cli {

// The picture files the folder's index.json lists, under "pictures" or as left "earlier" by the
// batch before, read before the batch replaces the index.
// Names that would leave the folder (absolute, "..", through a linked folder) are left out, and
// so is anything without a picture's extension.
std::vector<std::string> ListedPictures(const std::filesystem::path& folder);

// Of `listed`, the names of regular files still in `folder` that none of `pictures` is named.
std::vector<std::string> StalePictures(const std::filesystem::path& folder,
                                                 const std::vector<std::string>& listed,
                                                 const std::vector<PictureOutcome>& pictures);

}  // namespace quorvel::cli
