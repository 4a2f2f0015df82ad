// Hand-made source records that sit on the edges of the file layout, built the same way on
// every run: the committed seed corpus and the robustness tests' random batch.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorvel::seeds {

struct Seed {
    std::string fileName;
    std::vector<std::uint8_t> bytes;
};

// The committed corpus in fuzz/seeds/source, in file-name order.
std::vector<Seed> SourceSeeds();

// A whole record of pseudo-random bytes; equal seeds give equal records.
std::vector<std::uint8_t> RandomRecord(std::uint32_t seed);

// A record with the magic and every presence bit set whose entries are random apart from a
// header the catalogue accepts (broadcast family by slot, a name of 1 to 29 characters), so
// every screen draws random values.
std::vector<std::uint8_t> RandomListedRecord(std::uint32_t seed);

}  // namespace quorvel::seeds
