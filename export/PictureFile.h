// The screen written as a BMP or PNG picture file, the format chosen by name or by the file's
// extension; the window's File > Save and the command line's render both write through here.
#pragma once

#include <QImage>
#include <filesystem>

#include "export/AtomicFile.h"
#include "export/PictureExtras.h"
#include "export/PictureFormat.h"

namespace quorvel {

// Writes the picture to `path`, all or nothing, as WriteFileAtomically does.
// BMP is the window's export file, encoded as it is written; PNG holds the same pixels without
// alpha and with the extras' resolution and texts. Both are enlarged by the extras' scale.
// On failure the error says why, an encoding failure included.
WriteOutcome WritePicture(const QImage& image, PictureFormat format,
                          const std::filesystem::path& path, const PictureExtras& extras = {});

}  // namespace quorvel
