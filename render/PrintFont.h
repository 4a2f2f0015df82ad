// The Liberation Sans file the screens' font table was made from, added to Qt's fonts: the smooth
// print raster draws its texts in it, and tools/make_font_table builds the table from it.
#pragma once

#include <QString>

namespace quorvel {

inline constexpr char kLiberationSansPath[] =
    "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf";
// The fonts-liberation2 file the committed table was made from; another one would change pixels.
inline constexpr char kLiberationSansSha256[] =
    "8d91388f1d3604b3b8ae0e3ee2d140e50cd6122f9214514f4aca772540a4076d";

// Adds the font file to Qt's fonts and returns the family Qt then lays out in; an empty family
// and a message naming the file when it is missing, is another file or is not the face Qt would
// use.
struct LoadedFont {
    QString family;
    QString error;
};
LoadedFont LoadPinnedFont(const QString& path);

// kLiberationSansPath through LoadPinnedFont, added on the first call only. Qt adds fonts on
// the application's thread, so that is where the first call must come from.
const LoadedFont& PrintFont();

}  // namespace quorvel
