// The small value types shared by every layer: broadcast family, screen family, language.
#pragma once

#include <cstdint>

namespace quorvel {

// Values as stored in the entries' first byte and as the menus set them.
enum class DvbType : std::int32_t { Cable = 0, Terrestrial = 1, Satellite = 2 };

enum class Category : std::int32_t { None = 0, Measure = 1, Spectrum = 2, Constellation = 3 };

enum class Language : std::int32_t { English = 0, French = 1 };

// The three kinds of entries a source record holds.
enum class EntryKind : std::int32_t { Spectrum = 0, Constellation = 1, Measure = 2 };

}  // namespace quorvel
