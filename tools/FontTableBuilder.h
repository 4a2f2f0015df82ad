// Builds the font table from the pinned Liberation Sans file through Qt's own rasteriser and
// layout.
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "render/FontTable.h"
#include "render/PrintFont.h"

namespace quorvel {

// The sizes the screens draw at.
inline constexpr int kTableSizes[] = {28, 35, 100};

// Every character a screen can show: the screens' words in both languages and every printable
// character of the file's 8-bit texts, ascending.
std::vector<char16_t> TableCharacters();

// Needs a Qt application and a family from LoadPinnedFont.
FontTableData BuildFontTable(const QString& family);

}  // namespace quorvel
