#include "data/ScreenText.h"

#include <array>

namespace quorvel {

namespace {

using TextTable = std::array<std::u16string_view, kScreenTextCount>;

constexpr TextTable kEnglish = {
    u"Satellite > Satellite Finding",
    u"Satellite",
    u"Transponder",
    u"Search",
    u"OK",
    u"Strength",
    u"Quality",
    u"PER:",
    u"C/N:",
    u"BER:",
    u"FEC:",
    u"Satellite > Constellation Analyzer",
    u"More",
    u"Name",
    u"Mode:",
    u"None",
    u"...",
    u"Satellite > Spectrum Analyzer",
    u"Start:",
    u"End:",
    u"Current:",
    u"Level:",
    u"Channel No.",
    u"Terrestrial > Measure",
    u"Band Width",
    u"SNR:",
    u"Cable > Measure",
    u"Frequency",
    u"PER:",
    u"LOCK",
    u"UNLOCK",
    u"Terrestrial > Constellation Analyzer",
    u"Cable > Constellation Analyzer",
    u"Terrestrial > Spectrum Analyzer",
    u"Cable > Spectrum Analyzer",
    u"",
};

constexpr TextTable kFrench = {
    u"Satellite > Satellite Finding",
    u"Satellite",
    u"transpondeur",
    u"recherche",
    u"OK",
    u"force",
    u"qualit\u00e9",
    u"PER:",
    u"C/N:",
    u"BER:",
    u"FEC:",
    u"Satellite > Analyseur de constellation",
    u"More",
    u"nom",
    u"Mode:",
    u"aucun",
    u"...",
    u"Satellite > Spectrum Analyzer",
    u"Start:",
    u"End:",
    u"Current:",
    u"Level:",
    u"Channel No.",
    u"Terrestrial > Measure",
    u"Band Width",
    u"SNR:",
    u"Cable > Measure",
    u"Frequency",
    u"PER:",
    u"bloquer",
    u"UNLOCK",
    u"Terrestrial > Constellation Analyzer",
    u"Cable > Constellation Analyzer",
    u"Terrestrial > Spectrum Analyzer",
    u"Cable > Spectrum Analyzer",
    u"",
};

}  // namespace

std::u16string_view ScreenText(Language language, TextId textId) {
    const int id = static_cast<int>(textId);
    if (id < 0 || id >= kScreenTextCount) return {};
    switch (language) {
        case Language::English:
            return kEnglish[static_cast<std::size_t>(id)];
        case Language::French:
            return kFrench[static_cast<std::size_t>(id)];
    }
    return {};
}

}  // namespace quorvel
