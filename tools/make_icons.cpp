// Writes the screen icons (24-bit BMP) and the application icon at every theme size (PNG, in the
// hicolor/<N>x<N>/apps tree the desktop's icon theme installs) into a folder, normally res/icons.
#include <QImage>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/IconArt.h"

namespace {

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

bool WritePng(const std::string& path, const quorvel::icons::Picture& picture) {
    QImage image(picture.width, picture.height, QImage::Format_ARGB32);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) image.setPixel(x, y, picture.At(x, y));
    }
    return image.save(QString::fromStdString(path), "PNG");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    for (int id : quorvel::icons::kIconIds) {
        const std::string path = folder + "/" + std::to_string(id) + ".bmp";
        if (!WriteFile(path, quorvel::icons::EncodeBmp24(*quorvel::icons::DrawIcon(id)))) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    for (int size : quorvel::icons::kAppIconSizes) {
        const std::string side = std::to_string(size);
        const std::string dir = folder + "/hicolor/" + side + "x" + side + "/apps";
        std::error_code error;
        std::filesystem::create_directories(dir, error);
        const std::string appIcon = dir + "/quorvel.png";
        if (!WritePng(appIcon, quorvel::icons::DrawAppIcon(size))) {
            std::fprintf(stderr, "cannot write %s\n", appIcon.c_str());
            return 1;
        }
    }
    return 0;
}
