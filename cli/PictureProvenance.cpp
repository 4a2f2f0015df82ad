#include "cli/PictureProvenance.h"

#include "Version.h"
#include "data/ScreenText.h"
#include "data/TextEncoding.h"

namespace quorvel::cli {

namespace {

// The Satellite measure screen is the meter's Satellite Finding screen.
TextId TitleId(DvbType dvbType, Category screen) {
    static constexpr TextId kTitles[3][3] = {
        {TextId::SatelliteFindingTitle, TextId::SatelliteSpectrumTitle,
         TextId::SatelliteConstellationTitle},
        {TextId::TerrestrialMeasureTitle, TextId::TerrestrialSpectrumTitle,
         TextId::TerrestrialConstellationTitle},
        {TextId::CableMeasureTitle, TextId::CableSpectrumTitle, TextId::CableConstellationTitle}};
    const int dvb = dvbType == DvbType::Satellite ? 0 : dvbType == DvbType::Terrestrial ? 1 : 2;
    const int family = screen == Category::Spectrum ? 1 : screen == Category::Constellation ? 2 : 0;
    return kTitles[dvb][family];
}

}  // namespace

std::string ScreenTitle(const ScreenRequest& request) {
    return Utf8FromUtf16(ScreenText(request.language, TitleId(request.dvbType, request.screen)));
}

std::vector<std::pair<std::string, std::string>> ProvenanceTexts(const PlannedPicture& picture,
                                                                 const std::string& sourceName,
                                                                 const std::string& sha256,
                                                                 int scale) {
    const ScreenRequest& request = picture.request;
    const std::string values[] = {ScreenTitle(request),
                                  sourceName,
                                  sha256,
                                  std::string(DvbDisplayName(request.dvbType)),
                                  PictureScreenName(request),
                                  std::to_string(request.position),
                                  picture.entryName,
                                  std::string(LanguageCode(request.language)),
                                  std::to_string(request.referenceLevel),
                                  std::to_string(request.cursorX),
                                  request.more ? "yes" : "no",
                                  std::to_string(scale),
                                  std::string("quorvel-cli ") + kVersion};
    std::vector<std::pair<std::string, std::string>> texts;
    for (std::size_t i = 0; i < kProvenanceKeys.size(); ++i) {
        texts.emplace_back(std::string(kProvenanceKeys[i]), values[i]);
    }
    return texts;
}

}  // namespace quorvel::cli
