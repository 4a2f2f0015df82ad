// Writes the font table (res/font/liberation-sans.qft) from the pinned Liberation Sans file.
#include <QGuiApplication>
#include <cstdio>
#include <fstream>

#include "tools/FontTableBuilder.h"

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s <output file> [font file]\n", argv[0]);
        return 2;
    }
    QGuiApplication application(argc, argv);
    const QString fontFile = argc == 3 ? QString::fromLocal8Bit(argv[2])
                                       : QString::fromLatin1(quorvel::kLiberationSansPath);
    const quorvel::LoadedFont font = quorvel::LoadPinnedFont(fontFile);
    if (font.family.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(font.error));
        return 1;
    }
    const std::vector<std::uint8_t> bytes =
        quorvel::SerializeFontTable(quorvel::BuildFontTable(font.family));
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
