#include "tools/IconArt.h"

#include <algorithm>
#include <span>
#include <string_view>

namespace quorvel::icons {
namespace {

using Argb = std::uint32_t;

constexpr Argb kScreenGrey = 0xFFE6E6E6;
constexpr Argb kBadgeBlue = 0xFF0050C8;
constexpr Argb kWhite = 0xFFFFFFFF;
constexpr int kSamplesPerAxis = 4;  // 16 samples per pixel smooth the curved edges

struct Point {
    double x, y;
};

// Shape edges are sampled on a fixed grid inside each pixel; the pixel takes the share of
// samples inside the shape. Only +, -, * and comparisons are used, so results never vary.
template <typename Inside>
void Fill(Picture& picture, Argb colour, Inside inside) {
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            int covered = 0;
            for (int sy = 0; sy < kSamplesPerAxis; ++sy) {
                for (int sx = 0; sx < kSamplesPerAxis; ++sx) {
                    const double px = x + (sx + 0.5) / kSamplesPerAxis;
                    const double py = y + (sy + 0.5) / kSamplesPerAxis;
                    if (inside(px, py)) ++covered;
                }
            }
            if (covered == 0) continue;
            constexpr int kAll = kSamplesPerAxis * kSamplesPerAxis;
            Argb& dst = picture.pixels[static_cast<std::size_t>(y * picture.width + x)];
            Argb out = 0;
            for (int shift = 0; shift <= 24; shift += 8) {
                const int s = static_cast<int>((colour >> shift) & 0xFF);
                const int d = static_cast<int>((dst >> shift) & 0xFF);
                const int mixed = (s * covered + d * (kAll - covered) + kAll / 2) / kAll;
                out |= static_cast<Argb>(mixed) << shift;
            }
            dst = out;
        }
    }
}

void FillRoundRect(Picture& picture, Argb colour, double x0, double y0, double x1, double y1,
                   double radius) {
    Fill(picture, colour, [=](double px, double py) {
        if (px < x0 || px > x1 || py < y0 || py > y1) return false;
        const double cx = std::clamp(px, x0 + radius, x1 - radius);
        const double cy = std::clamp(py, y0 + radius, y1 - radius);
        const double dx = px - cx, dy = py - cy;
        return dx * dx + dy * dy <= radius * radius;
    });
}

void FillRect(Picture& picture, Argb colour, double x0, double y0, double x1, double y1) {
    Fill(picture, colour,
         [=](double px, double py) { return px >= x0 && px <= x1 && py >= y0 && py <= y1; });
}

// Even-odd rule, like the screens' polygons.
void FillPolygon(Picture& picture, Argb colour, std::span<const Point> points) {
    Fill(picture, colour, [points](double px, double py) {
        bool inside = false;
        for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            const Point a = points[i], b = points[j];
            if ((a.y > py) != (b.y > py)) {
                const double crossX = a.x + (py - a.y) * (b.x - a.x) / (b.y - a.y);
                if (px < crossX) inside = !inside;
            }
        }
        return inside;
    });
}

void FillPixels(Picture& picture, Argb colour, int x, int y, int w, int h) {
    for (int row = y; row < y + h; ++row) {
        for (int col = x; col < x + w; ++col) {
            picture.pixels[static_cast<std::size_t>(row * picture.width + col)] = colour;
        }
    }
}

// A 7-row pixel font with just the characters the icons show; '#' is ink.
struct Glyph {
    char ch;
    std::array<std::string_view, 7> rows;
};
constexpr std::array<Glyph, 11> kGlyphs{{
    {'1', {".#.", "##.", ".#.", ".#.", ".#.", ".#.", "###"}},
    {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
    {'3', {"####.", "....#", "....#", ".###.", "....#", "....#", "####."}},
    {'8', {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
    {'V', {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
    {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'X', {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"}},
    {'I', {"###", ".#.", ".#.", ".#.", ".#.", ".#.", "###"}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
}};
constexpr int kGlyphScale = 2;
constexpr int kGlyphGap = 1;  // pixels between letters
constexpr int kGlyphHeight = 7 * kGlyphScale;

const Glyph& GlyphFor(char ch) {
    return *std::find_if(kGlyphs.begin(), kGlyphs.end(),
                         [ch](const Glyph& g) { return g.ch == ch; });
}

int TextWidth(std::string_view text) {
    int width = 0;
    for (char ch : text) width += static_cast<int>(GlyphFor(ch).rows[0].size()) * kGlyphScale;
    return width + kGlyphGap * static_cast<int>(text.size() - 1);
}

// Centres the text on (centreX, centreY), rounding the top-left corner down.
void DrawLabel(Picture& picture, Argb colour, std::string_view text, int centreX, int centreY) {
    int x = centreX - TextWidth(text) / 2;
    const int y = centreY - kGlyphHeight / 2;
    for (char ch : text) {
        const Glyph& glyph = GlyphFor(ch);
        for (int row = 0; row < 7; ++row) {
            for (std::size_t col = 0; col < glyph.rows[static_cast<std::size_t>(row)].size();
                 ++col) {
                if (glyph.rows[static_cast<std::size_t>(row)][col] != '#') continue;
                FillPixels(picture, colour, x + static_cast<int>(col) * kGlyphScale,
                           y + row * kGlyphScale, kGlyphScale, kGlyphScale);
            }
        }
        x += static_cast<int>(glyph.rows[0].size()) * kGlyphScale + kGlyphGap;
    }
}

Picture Blank(int width, int height, Argb colour) {
    return Picture{width, height,
                   std::vector<Argb>(static_cast<std::size_t>(width * height), colour)};
}

Picture Badge(std::string_view label) {
    Picture p = Blank(40, 40, kScreenGrey);
    FillRoundRect(p, kBadgeBlue, 0.5, 0.5, 39.5, 39.5, 8.0);
    FillRoundRect(p, kWhite, 2.5, 2.5, 37.5, 37.5, 6.0);
    DrawLabel(p, kBadgeBlue, label, 20, 20);
    return p;
}

Picture KeyCap(std::string_view label) {
    Picture p = Blank(50, 40, kScreenGrey);
    FillRoundRect(p, 0xFF404040, 0.5, 1.5, 49.5, 38.5, 6.0);
    FillRoundRect(p, 0xFF6A6A6A, 2.5, 2.5, 47.5, 33.5, 5.0);
    DrawLabel(p, kWhite, label, 25, 18);
    return p;
}

Picture ChargingBattery() {
    Picture p = Blank(28, 58, kScreenGrey);
    constexpr Argb kDarkGreen = 0xFF1B6E1B;
    FillRoundRect(p, kDarkGreen, 9.0, 0.5, 19.0, 6.0, 1.5);
    FillRoundRect(p, kDarkGreen, 0.5, 4.0, 27.5, 57.5, 4.0);
    FillRoundRect(p, 0xFF32C832, 2.5, 6.0, 25.5, 55.5, 2.5);
    constexpr std::array<Point, 7> kBolt{
        {{16, 10}, {6, 33}, {13, 33}, {10, 52}, {22, 25}, {15, 25}, {21, 10}}};
    FillPolygon(p, kWhite, kBolt);
    return p;
}

void PutLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

std::optional<Picture> DrawIcon(int id) {
    switch (id) {
        case 140:
            return Badge("13V");
        case 141:
            return Badge("18V");
        case 142:
            return Badge("22K");
        case 143:
            return KeyCap("EXIT");
        case 145:
            return KeyCap("F1");
        case 148:
            return ChargingBattery();
        default:
            return std::nullopt;
    }
}

Picture DrawAppIcon(int size) {
    // Drawn on a 64-unit grid; every size the hicolor theme asks for is a dyadic fraction or
    // multiple of 64, so the scaled edges stay exact and each size gives the same bytes every run.
    const double unit = size / 64.0;
    const auto fillBox = [unit](Picture& p, Argb colour, double x, double y, double w, double h) {
        FillRect(p, colour, x * unit, y * unit, (x + w) * unit, (y + h) * unit);
    };
    Picture p = Blank(size, size, 0x00000000);
    FillRoundRect(p, 0xFF2B2B2B, 2.0 * unit, 4.0 * unit, 62.0 * unit, 60.0 * unit, 8.0 * unit);
    fillBox(p, kScreenGrey, 7, 9, 50, 36);
    fillBox(p, 0xFF0080FF, 7, 9, 50, 4);
    fillBox(p, kWhite, 7, 31, 50, 14);
    std::array<Point, 7> sweep{
        {{8, 30}, {20, 29}, {26, 17}, {32, 15}, {38, 17}, {44, 29}, {56, 30}}};
    for (Point& point : sweep) point = {point.x * unit, point.y * unit};
    FillPolygon(p, 0xFFE0B000, sweep);
    fillBox(p, 0xFFFF8000, 31, 14, 2, 16);
    fillBox(p, 0xFF800000, 11, 36, 30, 5);
    FillRoundRect(p, 0xFF8C8C8C, 20.0 * unit, 49.0 * unit, 28.0 * unit, 57.0 * unit, 4.0 * unit);
    FillRoundRect(p, 0xFF8C8C8C, 36.0 * unit, 49.0 * unit, 44.0 * unit, 57.0 * unit, 4.0 * unit);
    return p;
}

std::vector<std::uint8_t> EncodeBmp24(const Picture& picture) {
    constexpr std::uint32_t kHeaderSize = 14 + 40;
    const std::uint32_t rowSize = static_cast<std::uint32_t>((picture.width * 3 + 3) & ~3);
    const std::uint32_t imageSize = rowSize * static_cast<std::uint32_t>(picture.height);
    std::vector<std::uint8_t> out;
    out.reserve(kHeaderSize + imageSize);
    out.push_back('B');
    out.push_back('M');
    PutLe(out, kHeaderSize + imageSize, 4);
    PutLe(out, 0, 4);
    PutLe(out, kHeaderSize, 4);
    PutLe(out, 40, 4);
    PutLe(out, static_cast<std::uint32_t>(picture.width), 4);
    PutLe(out, static_cast<std::uint32_t>(picture.height), 4);  // positive: bottom-up rows
    PutLe(out, 1, 2);
    PutLe(out, 24, 2);
    PutLe(out, 0, 4);  // no compression
    PutLe(out, imageSize, 4);
    PutLe(out, 2835, 4);  // 72 dots per inch
    PutLe(out, 2835, 4);
    PutLe(out, 0, 4);
    PutLe(out, 0, 4);
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x) PutLe(out, picture.At(x, y), 3);  // B, G, R
        for (std::uint32_t pad = static_cast<std::uint32_t>(picture.width) * 3; pad < rowSize;
             ++pad) {
            out.push_back(0);
        }
    }
    return out;
}

}  // namespace quorvel::icons
