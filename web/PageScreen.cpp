#include "web/PageScreen.h"

#include "export/BmpEncoder.h"
#include "export/PictureFormat.h"
#include "figures/BatchPlan.h"
#include "render/ScreenLayout.h"
#include "source/SourceReading.h"

namespace quorvel::web {

namespace {

constexpr std::size_t kScreenPixels = static_cast<std::size_t>(kScreenWidth) * kScreenHeight;

}  // namespace

pixels::Target ScreenTarget(std::vector<std::uint32_t>& pixels) {
    pixels.resize(kScreenPixels, palette::kBlack);
    return pixels::Target(pixels.data(), kScreenWidth, kScreenWidth, kScreenHeight);
}

void ToRgba(std::vector<std::uint32_t>& pixels) {
    // Word by word, which the compiler turns into vector instructions: stored little-endian,
    // each word is the bytes red, green, blue, 255.
    for (std::uint32_t& pixel : pixels) {
        const std::uint32_t argb = pixel;
        pixel = 0xFF000000u | ((argb & 0xFFu) << 16) | (argb & 0xFF00u) | ((argb >> 16) & 0xFFu);
    }
}

PageScreen::PageScreen() : m_pixels(kScreenPixels, palette::kBlack) {}

bool PageScreen::Open(const std::string& path) {
    SourceRead read = ReadSource(path);
    if (!read.record) {
        m_error = read.reason;
        return false;
    }
    m_error.clear();
    m_record = std::move(read.record);
    Apply(m_navigator.OpenRecord(*m_record));
    return true;
}

bool PageScreen::Apply(const Outcome& outcome) {
    if (!outcome.Changed()) return false;
    const PaintResult result = m_repainter.Repaint(ScreenTarget(m_pixels), outcome.invalidated,
                                                   m_navigator.State(), m_navigator.Lists());
    if (result.cursorTipText) m_navigator.SetCursorTipText(*result.cursorTipText);
    return true;
}

const std::vector<std::uint32_t>& PageScreen::Rgba() {
    // A copy: the screen keeps its own pixels, as the next pass repaints only part of them.
    m_rgba = m_pixels;
    ToRgba(m_rgba);
    return m_rgba;
}

std::vector<std::uint8_t> PageScreen::Bmp() const {
    return EncodeBmp32(m_pixels.data(), kScreenWidth, kScreenHeight, kScreenWidth * 4);
}

std::string PageScreen::PictureName(PictureFormat format) const {
    const ScreenState& state = m_navigator.State();
    const int position = m_navigator.Selection(state.category);
    if (position < 0) return {};
    ScreenRequest request;
    request.dvbType = state.dvbType;
    request.screen = state.category;
    request.position = static_cast<std::size_t>(position);
    request.language = state.language;
    request.more = state.category == Category::Constellation && state.showMore;
    return PictureFileName(request, FormatExtension(format));
}

}  // namespace quorvel::web
