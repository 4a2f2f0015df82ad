#include "render/PixelReplay.h"

#include <variant>

#include "render/PolygonScan.h"

namespace quorvel {
namespace {

// An opaque fill at least this large hides what earlier operations drew under it. Smaller ones
// (constellation points) would only make the visible regions ragged for a few pixels' saving.
constexpr int kMinCoveringPixels = 1024;

// A polygon's rows written as the scan hands them over. A stretch of like rows is written a run
// at a time down the rows: across a thin strip, a trace's rows are alike for hundreds of rows.
class PolygonWriter final : public RowSink {
  public:
    PolygonWriter(const pixels::Target& target, Argb colour) : m_target(target), m_fill(colour) {}

    void Rows(int y, int count, std::span<const PixelRun> runs) override {
        std::uint32_t* const row = m_target.Row(y);
        if (count == 1) {
            for (const PixelRun& run : runs) m_fill.Apply(row + run.begin, run.end - run.begin);
            return;
        }
        for (const PixelRun& run : runs) {
            m_fill.ApplyRows(row + run.begin, m_target.Stride(), run.end - run.begin, count);
        }
    }

  private:
    const pixels::Target& m_target;
    pixels::SolidFill m_fill;
};

// The pixels of a covering fill: opaque, and large once cut to what the pass repaints.
IntRect CoverOf(const DrawOp& op, IntRect areaBounds) {
    if ((op.colour >> 24) != 0xFF || !std::holds_alternative<FillShape>(op.shape)) return {};
    const IntRect cover = Cut(op.bounds, areaBounds);
    if (IsEmpty(cover) || cover.w * cover.h < kMinCoveringPixels) return {};
    return cover;
}

class Replayer {
  public:
    explicit Replayer(const pixels::Target& target) : m_target(target) {}

    void Draw(const DrawOp& op, const PixelRegion& visible) const {
        std::visit([&](const auto& shape) { Draw(shape, op, visible); }, op.shape);
    }

  private:
    // Calls `draw` with each non-empty part of `rect` the region holds.
    template <typename Each>
    static void ForEachPiece(const PixelRegion& visible, IntRect rect, Each each) {
        for (const IntRect& part : visible.Rects()) {
            const IntRect piece = Cut(part, rect);
            if (!IsEmpty(piece)) each(piece);
        }
    }

    void Draw(const FillShape&, const DrawOp& op, const PixelRegion& visible) const {
        const pixels::SolidFill solid(op.colour);
        ForEachPiece(visible, op.bounds,
                     [&](IntRect piece) { pixels::Fill(m_target, piece, solid); });
    }

    // Each visible rectangle is scanned on its own: only the edges that reach it cost anything.
    void Draw(const PolygonShape& polygon, const DrawOp& op, const PixelRegion& visible) const {
        PolygonWriter writer(m_target, op.colour);
        ForEachPiece(visible, op.bounds,
                     [&](IntRect piece) { ScanEvenOdd(polygon.points, piece, writer); });
    }

    void Draw(const TextShape& text, const DrawOp& op, const PixelRegion& visible) const {
        const IntPoint at{text.origin.x + text.rendered->offset.x,
                          text.origin.y + text.rendered->offset.y};
        ForEachPiece(visible, op.bounds, [&](IntRect piece) {
            pixels::Draw(m_target, piece, text.rendered->image, at);
        });
    }

    void Draw(const IconShape& icon, const DrawOp& op, const PixelRegion& visible) const {
        ForEachPiece(visible, op.bounds,
                     [&](IntRect piece) { pixels::Draw(m_target, piece, *icon.image, icon.at); });
    }

    const pixels::Target& m_target;
};

}  // namespace

void ReplayPixels(const DisplayList& list, const PixelRegion& area, const pixels::Target& target) {
    const IntRect areaBounds = Cut(area.Bounds(), target.Bounds());
    struct Cover {
        std::size_t op;
        IntRect pixels;
    };
    std::vector<Cover> covering;
    for (std::size_t i = 0; i < list.ops.size(); ++i) {
        const IntRect cover = CoverOf(list.ops[i], areaBounds);
        if (!IsEmpty(cover)) covering.push_back({i, cover});
    }
    // visibleFrom[k]: the area less the k-th and every later covering fill.
    std::vector<PixelRegion> visibleFrom(covering.size() + 1);
    const IntRect limit = target.Bounds();
    visibleFrom.back() = PixelRegion(area.Rects(), limit);
    for (std::size_t k = covering.size(); k-- > 0;) {
        visibleFrom[k] = visibleFrom[k + 1];
        visibleFrom[k].Subtract(covering[k].pixels);
    }
    const Replayer replayer(target);
    std::size_t coversPassed = 0;
    for (std::size_t i = 0; i < list.ops.size(); ++i) {
        if (coversPassed < covering.size() && covering[coversPassed].op == i) ++coversPassed;
        const PixelRegion& visible = visibleFrom[coversPassed];
        const DrawOp& op = list.ops[i];
        if (visible.Intersects(op.bounds)) replayer.Draw(op, visible);
    }
}

}  // namespace quorvel
