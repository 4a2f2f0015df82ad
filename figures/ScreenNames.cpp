#include "figures/ScreenNames.h"

namespace quorvel {

namespace {

template <typename Value, std::size_t Count>
std::string_view NameIn(const NameTable<Value, Count>& table, Value value,
                        std::string_view unknown) {
    for (const Named<Value>& named : table) {
        if (named.value == value) return named.name;
    }
    return unknown;
}

}  // namespace

std::string_view DvbLetter(DvbType dvbType) {
    return NameIn(kDvbLetters, dvbType, "?");
}

std::string_view DvbDisplayName(DvbType dvbType) {
    return NameIn(kDvbDisplayNames, dvbType, "?");
}

std::string_view ScreenName(Category screen) {
    return NameIn(kScreenNames, screen, "none");
}

std::string_view LanguageCode(Language language) {
    return NameIn(kLanguageCodes, language, "en");
}

std::optional<DvbType> DvbFromLetter(std::string_view letter) {
    return ValueNamed(kDvbLetters, letter);
}

std::optional<DvbType> DvbFromDisplayName(std::string_view name) {
    return ValueNamed(kDvbDisplayNames, name);
}

std::optional<Category> ScreenFromName(std::string_view name) {
    return ValueNamed(kScreenNames, name);
}

std::optional<Language> LanguageFromCode(std::string_view code) {
    return ValueNamed(kLanguageCodes, code);
}

}  // namespace quorvel
