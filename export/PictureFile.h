// The screen written as a BMP or PNG picture file, the format chosen by name or by the file's
// extension; the window's File > Save and the command line's render both write through here.
#pragma once

#include <QImage>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "export/AtomicFile.h"
#include "export/PictureFormat.h"

namespace quorvel {

// What a picture file holds besides the screen's pixels.
struct PictureExtras {
    int scale = 1;  // each screen pixel becomes scale by scale pixels
    int dpi = 0;    // PNG only: the resolution recorded in the file; 0 records none
    std::vector<std::pair<std::string, std::string>> texts;  // PNG only: key, UTF-8 value
};

// Writes the picture to `path`, all or nothing, as WriteFileAtomically does.
// BMP is the window's export file, encoded as it is written; PNG holds the same pixels without
// alpha and with the extras' resolution and texts. Both are enlarged by the extras' scale.
// On failure the error says why, an encoding failure included.
WriteOutcome WritePicture(const QImage& image, PictureFormat format,
                          const std::filesystem::path& path, const PictureExtras& extras = {});

}  // namespace quorvel
