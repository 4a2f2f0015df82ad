// The figure set the page zips: every picture a batch makes of the open record, painted one at a
// time as the page asks, and the index that lists them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "figures/BatchIndex.h"

namespace quorvel::web {

class PageFigures {
  public:
    // Plans the PNG pictures of `record`, read from the file called `sourceName`.
    std::size_t Plan(const SourceRecord& record, const std::string& sourceName);
    const std::string& FileName(std::size_t index) const;
    // Picture `index` as the canvas takes it: bytes red, green, blue, alpha, row after row.
    const std::vector<std::uint32_t>& Paint(std::size_t index);
    // index.json of the pictures painted so far.
    std::string IndexJson(const std::string& recordSha256);

  private:
    CataloguesByDvb m_catalogues;
    std::vector<PictureOutcome> m_pictures;
    std::vector<std::uint32_t> m_pixels;
};

}  // namespace quorvel::web
