// Source data files for the window's tests, built field by field through the entry writer.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "data/EntryWriter.h"
#include "data/SourceRecord.h"
#include "tests/support/Files.h"

namespace quorvel::test {

class SourceFileBuilder {
  public:
    SourceFileBuilder() : m_bytes(record::kSize, 0) { StampMagic(m_bytes); }

    // Marks the slot present and gives it a header.
    SourceFileBuilder& Add(EntryKind kind, std::size_t slot, DvbType dvbType,
                           std::string_view name) {
        PlaceEntry(m_bytes, kind, slot, static_cast<std::uint8_t>(dvbType), name);
        return *this;
    }

    // A sweep whose every sample reads `level`, its current frequency at its start.
    SourceFileBuilder& Sweep(std::size_t slot, std::int32_t startMHz, std::int32_t endMHz,
                             std::uint8_t level) {
        EntryWriter sweep(SlotBytes(m_bytes, EntryKind::Spectrum, slot), EntryKind::Spectrum);
        sweep.Set("startMHz", startMHz).Set("currentMHz", startMHz).Set("endMHz", endMHz);
        for (std::size_t i = 0; i < 202; ++i) sweep.Set("levels", level, i);
        return *this;
    }

    // A foreign file: every byte as built, but not the magic.
    SourceFileBuilder& WithoutMagic() {
        std::fill_n(m_bytes.begin() + record::kMagicOffset, 4, std::uint8_t{0});
        return *this;
    }

    // Writes the first `size` bytes (the whole record by default, zero-padded beyond it).
    void Write(const fs::path& path, std::size_t size = record::kSize) const {
        std::vector<std::uint8_t> out = m_bytes;
        out.resize(size, 0);
        WriteFile(path, out);
    }

  private:
    std::vector<std::uint8_t> m_bytes;
};

// Satellite entries in all three families (two names each), one Terrestrial entry per family.
inline SourceFileBuilder FullSatelliteFile() {
    SourceFileBuilder file;
    file.Add(EntryKind::Measure, 0, DvbType::Satellite, "M-Sat-A")
        .Add(EntryKind::Measure, 3, DvbType::Satellite, "M-Sat-B")
        .Add(EntryKind::Measure, 7, DvbType::Terrestrial, "M-Ter")
        .Add(EntryKind::Constellation, 1, DvbType::Satellite, "C-Sat-A")
        .Add(EntryKind::Constellation, 2, DvbType::Satellite, "C-Sat-B")
        .Add(EntryKind::Constellation, 31, DvbType::Terrestrial, "C-Ter")
        .Add(EntryKind::Spectrum, 0, DvbType::Satellite, "S-Sat-A")
        .Add(EntryKind::Spectrum, 5, DvbType::Satellite, "S-Sat-B")
        .Add(EntryKind::Spectrum, 63, DvbType::Terrestrial, "S-Ter")
        .Sweep(0, 950, 2150, 40)
        .Sweep(5, 950, 2150, 50)
        .Sweep(63, 474, 858, 45);
    return file;
}

}  // namespace quorvel::test
