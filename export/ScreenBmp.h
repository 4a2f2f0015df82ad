// Saves a screen image as the 32-bit BMP file that File > Save and the command line write.
#pragma once

#include <QImage>
#include <filesystem>

#include "export/AtomicFile.h"

namespace quorvel {

// All or nothing, with the guarantees of WriteFileAtomically; an image in another format than
// Format_RGB32 is converted first.
WriteOutcome WriteScreenBmp(const QImage& screen, const std::filesystem::path& target);

}  // namespace quorvel
