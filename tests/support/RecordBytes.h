// The record writer's helpers under the names the test suites use, plus a bare header write.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "data/EntryWriter.h"
#include "data/FieldLayout.h"

namespace quorvel::test {

using quorvel::MarkPresent;
using quorvel::SlotBytes;
using quorvel::StampMagic;

// The header the catalogue checks, written into an entry of any kind.
inline void PutHeader(std::span<std::uint8_t> entry, std::uint8_t dvbType, std::string_view name) {
    layout::WriteNumber(entry, layout::kDvbType, dvbType);
    layout::WriteText(entry, layout::kName, name);
}

}  // namespace quorvel::test
