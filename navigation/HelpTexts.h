// The help line's texts below the screen; English whatever the screen language.
#pragma once

namespace quorvel::help {

inline constexpr const char* kMeasure =
    "Press [LEFT/RIGHT] Key to switch between Measure/Constellation/Spectrum menu\n"
    "Scroll mouse wheel to switch menu\n";
inline constexpr const char* kSpectrum =
    "Press [LEFT/RIGHT] Key to switch between Measure/Constellation/Spectrum menu\n"
    "Press [UP/DOWN] Key to change the display area\n"
    "Scroll mouse wheel to change menu";
inline constexpr const char* kConstellation =
    "Press [LEFT/RIGHT] Key to switch between Measure/Constellation/Spectrum menu\n"
    "Press [F1] key to show more information\n"
    "Scroll mouse wheel to switch menu";
inline constexpr const char* kConstellationMore =
    "Press [LEFT/RIGHT] Key to switch between Measure/Constellation/Spectrum menu\n"
    "Press [F1] key to return Constellation menu\n"
    "Scroll mouse wheel to switch menu";

}  // namespace quorvel::help
