// The text a batch picture carries about where it came from, and the keys it is stored under.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "figures/BatchPlan.h"

namespace quorvel::cli {

// In the order they are written and printed.
inline constexpr std::array<std::string_view, 13> kProvenanceKeys = {
    "Title",          "Source",       "Source SHA-256", "DVB type",  "Screen",
    "Position",       "Entry",        "Language",       "Reference level",
    "Cursor column",  "More view",    "Scale",          "Software"};

// The screen's title as the meter shows it, in the request's language, UTF-8.
std::string ScreenTitle(const ScreenRequest& request);

// Key and UTF-8 value for each of kProvenanceKeys.
std::vector<std::pair<std::string, std::string>> ProvenanceTexts(const PlannedPicture& picture,
                                                                 const std::string& sourceName,
                                                                 const std::string& sha256,
                                                                 int scale);

}  // namespace quorvel::cli
