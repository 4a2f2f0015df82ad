#include "render/SpectrumTrace.h"

#include <algorithm>

#include "data/Formatting.h"

namespace quorvel::spectrum {

int SampleStep(DvbType dvbType) {
    return dvbType == DvbType::Satellite ? 10 : 5;
}

int SampleCount(std::int32_t startMHz, std::int32_t endMHz, int sampleStep) {
    const std::int64_t span = std::int64_t{endMHz} - startMHz;
    const std::int64_t count = span / sampleStep;
    if (count < 1) return 0;
    return static_cast<int>(std::min<std::int64_t>(count, kMaxSamples));
}

int ColumnWidth(int sampleCount) {
    return kPlotWidth / sampleCount;
}

int LevelToY(std::int8_t level, int referenceLevel) {
    if (level == 0) return kPlotBottom;
    const int y = kPlotBottom - (kPlotHeight * (level - referenceLevel)) / kScaleSpanDb;
    return std::clamp(y, kPlotTop, kPlotBottom);
}

Trace BuildTrace(const SpectrumEntry& entry, int sampleCount, int referenceLevel) {
    const int columnWidth = ColumnWidth(sampleCount);
    Trace trace;
    int topY = kPlotBottom;
    for (int i = 0; i < sampleCount; ++i) {
        const int y = LevelToY(entry.level(static_cast<std::size_t>(i)), referenceLevel);
        trace.vertices[static_cast<std::size_t>(i)] = {kPlotLeft + i * columnWidth, y};
        topY = std::min(topY, y);
    }
    const int lastX = trace.vertices[static_cast<std::size_t>(sampleCount - 1)].x;
    trace.vertices[static_cast<std::size_t>(sampleCount)] = {lastX, kPlotBottom};
    trace.vertices[static_cast<std::size_t>(sampleCount + 1)] = {kPlotLeft, kPlotBottom};
    trace.vertexCount = sampleCount + 2;
    trace.bounds = {kPlotLeft, topY, lastX - kPlotLeft + 1, kPlotBottom - topY + 1};
    return trace;
}

std::int64_t ReadoutIndex(int cursorX, int columnWidth) {
    return (std::int64_t{cursorX} - kPlotLeft) / columnWidth;
}

std::int64_t SampleFrequency(const SpectrumEntry& entry, std::int64_t index, int sampleStep) {
    return std::int64_t{entry.startMHz()} + index * sampleStep;
}

std::string FormatReadout(const SpectrumEntry& entry, std::int64_t index, int sampleStep) {
    const auto frequency = static_cast<long long>(SampleFrequency(entry, index, sampleStep));
    return FormatPrintf("[ %lldMHz : %ddBuV ]", frequency,
                        static_cast<int>(entry.level(static_cast<std::size_t>(index))));
}

}  // namespace quorvel::spectrum
