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
    for (int i = 0; i < sampleCount; ++i) {
        const int y = LevelToY(entry.level(static_cast<std::size_t>(i)), referenceLevel);
        trace.vertices[static_cast<std::size_t>(i)] = {kPlotLeft + i * columnWidth, y};
    }
    const int lastX = trace.vertices[static_cast<std::size_t>(sampleCount - 1)].x;
    trace.vertices[static_cast<std::size_t>(sampleCount)] = {lastX, kPlotBottom};
    trace.vertices[static_cast<std::size_t>(sampleCount + 1)] = {kPlotLeft, kPlotBottom};
    trace.vertexCount = sampleCount + 2;
    return trace;
}

int BandCount(const Trace& trace) {
    const int samples = trace.vertexCount - 2;
    return samples <= 1 ? 1 : (samples - 2) / kBandSamples + 1;
}

TraceBand BandOf(const Trace& trace, int band) {
    const int samples = trace.vertexCount - 2;
    const int first = band * kBandSamples;
    const int last = std::min(first + kBandSamples, samples - 1);
    TraceBand result;
    int topY = kPlotBottom;
    for (int i = first; i <= last; ++i) {
        const IntPoint vertex = trace.vertices[static_cast<std::size_t>(i)];
        result.vertices[static_cast<std::size_t>(result.vertexCount++)] = vertex;
        topY = std::min(topY, vertex.y);
    }
    const int left = trace.vertices[static_cast<std::size_t>(first)].x;
    const int right = trace.vertices[static_cast<std::size_t>(last)].x;
    result.vertices[static_cast<std::size_t>(result.vertexCount++)] = {right, kPlotBottom};
    result.vertices[static_cast<std::size_t>(result.vertexCount++)] = {left, kPlotBottom};
    result.bounds = {left, topY, right - left + 1, kPlotBottom - topY + 1};
    return result;
}

std::int64_t ReadoutIndex(int cursorX, int columnWidth) {
    return (std::int64_t{cursorX} - kPlotLeft) / columnWidth;
}

std::string FormatReadout(const SpectrumEntry& entry, std::int64_t index, int sampleStep) {
    // 64-bit so that a sweep starting near the top of the 32-bit range shows its real frequency.
    const long long frequency = std::int64_t{entry.startMHz()} + index * sampleStep;
    return FormatPrintf("[ %lldMHz : %ddBuV ]", frequency,
                        static_cast<int>(entry.level(static_cast<std::size_t>(index))));
}

}  // namespace quorvel::spectrum
