// A canvas that records every operation of a pass, so tests can check places, colours and texts.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "render/Canvas.h"

namespace quorvel {

struct FillRectOp {
    Argb colour;
    IntRect rect;
};
struct FillPolygonOp {
    Argb colour;
    std::vector<IntPoint> points;
};
struct PointTextOp {
    std::u16string text;
    ScreenFont font;
    PointF at;
    Argb colour;
};
struct RectTextOp {
    std::u16string text;
    ScreenFont font;
    RectF box;
    TextFormat format;
    Argb colour;
};
struct ImageOp {
    IconId icon;
    int x, y;
};

using CanvasOp = std::variant<FillRectOp, FillPolygonOp, PointTextOp, RectTextOp, ImageOp>;

class RecordingCanvas final : public Canvas {
public:
    // By default the whole screen is being repainted; `area` narrows that for partial passes.
    explicit RecordingCanvas(IntRect area = {0, 0, kScreenWidth, kScreenHeight}) : m_area(area) {}

    void FillRect(Argb colour, IntRect rect) override;
    void FillPolygon(Argb colour, std::span<const IntPoint> points) override;
    void DrawText(std::u16string_view text, ScreenFont font, PointF at, Argb colour) override;
    void DrawText(std::u16string_view text, ScreenFont font, RectF box, TextFormat format,
                  Argb colour) override;
    void DrawImage(IconId icon, int x, int y) override;
    bool NeedsArea(IntRect rect) const override;

    const std::vector<CanvasOp>& Ops() const { return m_ops; }

private:
    IntRect m_area;
    std::vector<CanvasOp> m_ops;
};

}  // namespace quorvel
