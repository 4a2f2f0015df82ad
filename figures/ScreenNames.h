// The short names the command line and the picture file names use for DVB types, screens and
// languages: one table a list, which options are read with, help texts list and outputs write.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/Types.h"

namespace quorvel {

template <typename Value>
struct Named {
    Value value;
    std::string_view name;
};

template <typename Value, std::size_t Count>
using NameTable = std::array<Named<Value>, Count>;

// In the tool's order, which every list of pictures, tables and options keeps.
inline constexpr NameTable<DvbType, 3> kDvbLetters = {
    {{DvbType::Satellite, "s"}, {DvbType::Terrestrial, "t"}, {DvbType::Cable, "c"}}};
inline constexpr NameTable<DvbType, 3> kDvbDisplayNames = {
    {{DvbType::Satellite, "DVB-S"}, {DvbType::Terrestrial, "DVB-T"}, {DvbType::Cable, "DVB-C"}}};
inline constexpr NameTable<Category, 3> kScreenNames = {
    {{Category::Measure, "measure"},
     {Category::Spectrum, "spectrum"},
     {Category::Constellation, "constellation"}}};
inline constexpr NameTable<Language, 2> kLanguageCodes = {
    {{Language::English, "en"}, {Language::French, "fr"}}};

template <typename Value, std::size_t Count>
constexpr std::array<Value, Count> ValuesOf(const NameTable<Value, Count>& table) {
    std::array<Value, Count> values{};
    for (std::size_t i = 0; i < Count; ++i) values[i] = table[i].value;
    return values;
}

inline constexpr std::array<DvbType, 3> kDvbTypes = ValuesOf(kDvbLetters);
inline constexpr std::array<Category, 3> kScreens = ValuesOf(kScreenNames);
inline constexpr std::array<Language, 2> kLanguages = ValuesOf(kLanguageCodes);

template <typename Value, std::size_t Count>
std::vector<std::string> NamesOf(const NameTable<Value, Count>& table) {
    std::vector<std::string> names;
    for (const Named<Value>& named : table) names.emplace_back(named.name);
    return names;
}

template <typename Value, std::size_t Count>
std::optional<Value> ValueNamed(const NameTable<Value, Count>& table, std::string_view name) {
    for (const Named<Value>& named : table) {
        if (named.name == name) return named.value;
    }
    return std::nullopt;
}

// The values `names` name, in the table's order; all of them when `names` is empty. A name the
// table lacks is passed over: the command line refused it already.
template <typename Value, std::size_t Count>
std::vector<Value> ValuesNamed(const NameTable<Value, Count>& table,
                               const std::vector<std::string>& names) {
    std::vector<Value> values;
    for (const Named<Value>& named : table) {
        bool chosen = names.empty();
        for (const std::string& name : names) chosen = chosen || named.name == name;
        if (chosen) values.push_back(named.value);
    }
    return values;
}

std::string_view DvbLetter(DvbType dvbType);       // "s", "t", "c"
std::string_view DvbDisplayName(DvbType dvbType);  // "DVB-S", "DVB-T", "DVB-C"
std::string_view ScreenName(Category screen);      // "measure", "spectrum", "constellation"
std::string_view LanguageCode(Language language);  // "en", "fr"

std::optional<DvbType> DvbFromLetter(std::string_view letter);
std::optional<DvbType> DvbFromDisplayName(std::string_view name);
std::optional<Category> ScreenFromName(std::string_view name);
std::optional<Language> LanguageFromCode(std::string_view code);

}  // namespace quorvel
