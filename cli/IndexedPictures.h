// The pictures a batch's index.json lists, read back as the batch's outcomes, so a folder whose
// pictures changed after the batch (by `compare --accept`) gets a contact sheet of what it holds.
#pragma once

#include <vector>

#include "figures/BatchIndex.h"
#include "source/FieldJson.h"

namespace quorvel::cli {

// One outcome per entry of `index`'s "pictures" that names a file, a screen the batch draws and
// a language; anything else is left out, as an index may have been edited by hand. Sources are
// numbered in the order they first appear.
std::vector<PictureOutcome> IndexedPictures(const Json& index);

// The batch's scale, as its fit report records it; 1 when the index does not say.
int IndexedScale(const Json& index);

}  // namespace quorvel::cli
