// Builds the font table from the pinned Liberation Sans file through Qt's own rasteriser and
// layout.
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "render/FontTable.h"

namespace quorvel {

inline constexpr char kLiberationSansPath[] =
    "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf";
// The fonts-liberation2 file the committed table was made from; another one would change pixels.
inline constexpr char kLiberationSansSha256[] =
    "8d91388f1d3604b3b8ae0e3ee2d140e50cd6122f9214514f4aca772540a4076d";
// The sizes the screens draw at.
inline constexpr int kTableSizes[] = {28, 35, 100};

// Adds the font file to Qt's fonts and returns the family Qt then lays out in; an empty family
// and a message when the file is missing, is another file or is not the face Qt would use.
struct LoadedFont {
    QString family;
    QString error;
};
LoadedFont LoadPinnedFont(const QString& path);

// Every character a screen can show: the screens' words in both languages and every printable
// character of the file's 8-bit texts, ascending.
std::vector<char16_t> TableCharacters();

// Needs a Qt application and a family from LoadPinnedFont.
FontTableData BuildFontTable(const QString& family);

}  // namespace quorvel
