// Reading recorded canvas passes in tests: ops by kind, texts as UTF-8, one line per op.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "render/RecordingCanvas.h"

namespace quorvel::test {

template <class Op>
std::vector<Op> OpsOf(const std::vector<CanvasOp>& ops) {
    std::vector<Op> found;
    for (const CanvasOp& op : ops) {
        if (const Op* typed = std::get_if<Op>(&op)) found.push_back(*typed);
    }
    return found;
}

// UTF-8 for readable comparisons and failure messages.
// The screens only draw characters of the Basic Multilingual Plane, so no surrogate pairs.
inline std::string Utf8(std::u16string_view text) {
    std::string out;
    for (const char16_t unit : text) {
        if (unit < 0x80) {
            out += static_cast<char>(unit);
        } else if (unit < 0x800) {
            out += static_cast<char>(0xC0 | (unit >> 6));
            out += static_cast<char>(0x80 | (unit & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (unit >> 12));
            out += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (unit & 0x3F));
        }
    }
    return out;
}

// One line per operation with every field that reaches the pixels, so two passes compare as
// lists of strings and a mismatch names the element that went wrong.
inline std::string Describe(const CanvasOp& op) {
    char line[160];
    std::string text;
    std::visit(
        [&]<typename Op>(const Op& o) {
            if constexpr (std::is_same_v<Op, FillRectOp>) {
                std::snprintf(line, sizeof line, "fill %08x %d,%d %dx%d", o.colour, o.rect.x,
                              o.rect.y, o.rect.w, o.rect.h);
            } else if constexpr (std::is_same_v<Op, FillPolygonOp>) {
                std::snprintf(line, sizeof line, "polygon %08x %zu from %d,%d", o.colour,
                              o.points.size(), o.points.empty() ? 0 : o.points[0].x,
                              o.points.empty() ? 0 : o.points[0].y);
            } else if constexpr (std::is_same_v<Op, PointTextOp>) {
                std::snprintf(line, sizeof line, "text %08x %g @%g,%g '", o.colour,
                              o.font.pixelSize, o.at.x, o.at.y);
                text = Utf8(o.text) + "'";
            } else if constexpr (std::is_same_v<Op, RectTextOp>) {
                std::snprintf(line, sizeof line, "box %08x %g @%g,%g %gx%g %d/%d '", o.colour,
                              o.font.pixelSize, o.box.x, o.box.y, o.box.w, o.box.h,
                              static_cast<int>(o.format.horizontal),
                              static_cast<int>(o.format.vertical));
                text = Utf8(o.text) + "'";
            } else {
                std::snprintf(line, sizeof line, "image %d @%d,%d", static_cast<int>(o.icon), o.x,
                              o.y);
            }
        },
        op);
    return line + text;
}

inline std::vector<std::string> Describe(const std::vector<CanvasOp>& ops) {
    std::vector<std::string> lines;
    for (const CanvasOp& op : ops) lines.push_back(Describe(op));
    return lines;
}

}  // namespace quorvel::test
