#include "figures/ScreenNames.h"

namespace quorvel {

std::string_view DvbLetter(DvbType dvbType) {
    switch (dvbType) {
        case DvbType::Satellite:
            return "s";
        case DvbType::Terrestrial:
            return "t";
        case DvbType::Cable:
            return "c";
    }
    return "?";
}

std::string_view DvbDisplayName(DvbType dvbType) {
    switch (dvbType) {
        case DvbType::Satellite:
            return "DVB-S";
        case DvbType::Terrestrial:
            return "DVB-T";
        case DvbType::Cable:
            return "DVB-C";
    }
    return "?";
}

std::string_view ScreenName(Category screen) {
    switch (screen) {
        case Category::Measure:
            return "measure";
        case Category::Spectrum:
            return "spectrum";
        case Category::Constellation:
            return "constellation";
        case Category::None:
            break;
    }
    return "none";
}

std::string_view LanguageCode(Language language) {
    return language == Language::French ? "fr" : "en";
}

std::optional<DvbType> DvbFromLetter(std::string_view letter) {
    for (DvbType dvbType : kDvbTypes) {
        if (DvbLetter(dvbType) == letter) return dvbType;
    }
    return std::nullopt;
}

std::optional<Category> ScreenFromName(std::string_view name) {
    for (Category screen : kScreens) {
        if (ScreenName(screen) == name) return screen;
    }
    return std::nullopt;
}

std::optional<Language> LanguageFromCode(std::string_view code) {
    for (Language language : kLanguages) {
        if (LanguageCode(language) == code) return language;
    }
    return std::nullopt;
}

std::vector<std::string> SplitList(std::string_view list) {
    std::vector<std::string> values;
    for (std::size_t start = 0;;) {
        const std::size_t comma = list.find(',', start);
        values.emplace_back(list.substr(start, comma - start));
        if (comma == std::string_view::npos) return values;
        start = comma + 1;
    }
}

}  // namespace quorvel
