// Real files for the fuzz targets that run a command on its input as the command reads it.
#pragma once

#include <stdlib.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace quorvel::fuzz {

// One private folder under the temporary folder for the whole run, named after `target`.
inline const std::filesystem::path& WorkFolder(const std::string& target) {
    static const std::filesystem::path folder = [&] {
        std::string pattern =
            std::filesystem::temp_directory_path() / ("quorvel-fuzz-" + target + "-XXXXXX");
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        return std::filesystem::path(pattern);
    }();
    return folder;
}

// The fuzzer's bytes as the whole of the file at `path`.
inline void WriteInput(const std::filesystem::path& path, const std::uint8_t* data,
                       std::size_t size) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!file) std::abort();
}

}  // namespace quorvel::fuzz
