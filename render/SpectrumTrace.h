// The spectrum plot's arithmetic: sweep sampling, level-to-pixel mapping, trace vertices, readout.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "data/SpectrumEntry.h"
#include "data/Types.h"
#include "render/Canvas.h"

namespace quorvel::spectrum {

inline constexpr int kMaxSamples = static_cast<int>(SpectrumEntry::kLevelCount);
inline constexpr int kMaxTraceVertices = kMaxSamples + 2;

// MHz between neighbouring samples: the entry does not carry it, its broadcast family does.
int SampleStep(DvbType dvbType);

// (end - start) / step truncated toward zero, computed without overflow and limited to the
// samples an entry holds. 0 means the sweep has no sample to plot (end below start + step).
int SampleCount(std::int32_t startMHz, std::int32_t endMHz, int sampleStep);

// Pixels per sample; `sampleCount` must be 1 to kMaxSamples.
int ColumnWidth(int sampleCount);

// y of a level on the plot whose bottom line is `referenceLevel`; 0 means no reading and sits on
// the bottom line, levels outside the 25 dB window are held at the plot's edges.
int LevelToY(std::int8_t level, int referenceLevel);

// The closed trace outline: one vertex per sample, then down to the bottom line and back to the
// plot's left edge. Held by value so a pass builds it without allocating.
struct Trace {
    std::array<IntPoint, kMaxTraceVertices> vertices{};
    int vertexCount = 0;
    IntRect bounds;  // smallest rectangle holding every vertex, so every pixel the fill can touch

    std::span<const IntPoint> Vertices() const {
        return std::span<const IntPoint>(vertices).first(static_cast<std::size_t>(vertexCount));
    }
};

// `sampleCount` must be 1 to kMaxSamples.
Trace BuildTrace(const SpectrumEntry& entry, int sampleCount, int referenceLevel);

// Sample under the cursor column: (cursorX - 100) / columnWidth, truncated toward zero. Negative
// when the cursor lies left of the plot; it may exceed the plotted samples on the right.
std::int64_t ReadoutIndex(int cursorX, int columnWidth);

// MHz of sample `index` of the sweep, in 64 bits so that a sweep starting near the top of the
// 32-bit range keeps its real frequency.
std::int64_t SampleFrequency(const SpectrumEntry& entry, std::int64_t index, int sampleStep);

// "[ %dMHz : %ddBuV ]" for sample `index` (0 to kMaxSamples - 1) of the sweep.
std::string FormatReadout(const SpectrumEntry& entry, std::int64_t index, int sampleStep);

}  // namespace quorvel::spectrum
