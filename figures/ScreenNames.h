// The short names the command line and the picture file names use for DVB types, screens and
// languages, and their mapping to the state values.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/Types.h"

namespace quorvel {

inline constexpr std::array<DvbType, 3> kDvbTypes = {DvbType::Satellite, DvbType::Terrestrial,
                                                     DvbType::Cable};
inline constexpr std::array<Category, 3> kScreens = {Category::Measure, Category::Spectrum,
                                                     Category::Constellation};
inline constexpr std::array<Language, 2> kLanguages = {Language::English, Language::French};

std::string_view DvbLetter(DvbType dvbType);       // "s", "t", "c"
std::string_view DvbDisplayName(DvbType dvbType);  // "DVB-S", "DVB-T", "DVB-C"
std::string_view ScreenName(Category screen);      // "measure", "spectrum", "constellation"
std::string_view LanguageCode(Language language);  // "en", "fr"

// The values of a comma-separated list, in order; "a,,b" has an empty one.
std::vector<std::string> SplitList(std::string_view list);

std::optional<DvbType> DvbFromLetter(std::string_view letter);
std::optional<Category> ScreenFromName(std::string_view name);
std::optional<Language> LanguageFromCode(std::string_view code);

}  // namespace quorvel
