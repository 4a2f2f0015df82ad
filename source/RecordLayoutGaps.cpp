#include "source/RecordLayoutGaps.h"

#include <algorithm>

#include "data/SourceRecord.h"

namespace quorvel {

std::vector<layout::ByteRange> RecordGaps() {
    std::vector<layout::ByteRange> used = {{record::kMagicOffset, 4}};
    for (EntryKind kind : {EntryKind::Constellation, EntryKind::Spectrum, EntryKind::Measure}) {
        const record::KindLayout layout = record::LayoutOf(kind);
        used.push_back({layout.maskOffset, layout.slots / 8});
        used.push_back({layout.entriesOffset, layout.slots * layout.entrySize});
    }
    std::sort(used.begin(), used.end(),
              [](const auto& a, const auto& b) { return a.offset < b.offset; });
    std::vector<layout::ByteRange> gaps;
    std::size_t covered = 0;
    for (const layout::ByteRange& range : used) {
        if (range.offset > covered) gaps.push_back({covered, range.offset - covered});
        covered = std::max(covered, range.offset + range.size);
    }
    if (covered < record::kSize) gaps.push_back({covered, record::kSize - covered});
    return gaps;
}

bool InsideGaps(const std::vector<layout::ByteRange>& gaps, std::size_t offset, std::size_t size) {
    return std::any_of(gaps.begin(), gaps.end(), [&](const layout::ByteRange& gap) {
        return offset >= gap.offset && size <= gap.size && offset - gap.offset <= gap.size - size;
    });
}

}  // namespace quorvel
