// The picture formats a screen is saved in and how file names and options name them; plain C++,
// so the browser page names its downloads as the command line names its files.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

enum class PictureFormat { Bmp, Png };

std::string_view FormatExtension(PictureFormat format);  // "bmp", "png"
std::optional<PictureFormat> FormatFromName(std::string_view name);
std::optional<PictureFormat> FormatFromPath(const std::filesystem::path& path);
// The file name's extension in lower case, without its dot.
std::string LowerExtension(const std::filesystem::path& path);

}  // namespace quorvel
