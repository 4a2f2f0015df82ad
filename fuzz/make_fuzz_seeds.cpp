// Writes the generated seed records into a folder: make_fuzz_seeds <folder>.
#include <filesystem>
#include <fstream>
#include <iostream>

#include "fuzz/FuzzSeeds.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_fuzz_seeds <folder>\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    for (const quorvel::seeds::Seed& seed : quorvel::seeds::SourceSeeds()) {
        std::ofstream file(folder / seed.fileName, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(seed.bytes.data()),
                   static_cast<std::streamsize>(seed.bytes.size()));
        if (!file.flush()) {
            std::cerr << "make_fuzz_seeds: cannot write " << (folder / seed.fileName) << "\n";
            return 1;
        }
    }
    return 0;
}
