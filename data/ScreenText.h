// The meter's fixed screen words, ids 0 to 35, in English and French.
#pragma once

#include <string_view>

#include "data/Types.h"

namespace quorvel {

inline constexpr int kScreenTextCount = 36;

// Ids outside 0..35 give the empty text.
std::u16string_view ScreenText(Language language, int id);

}  // namespace quorvel
